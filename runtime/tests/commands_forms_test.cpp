// The window commands on windows loaded by the form engine from stored windows.
#include <gtest/gtest.h>

#include <windows.h>

#include "runtime/form_engine.h"
#include "runtime/tests/command_results.h"
#include "runtime/tests/form_engine_test_image.h"
#include "runtime/values.h"

namespace runtime {
namespace {

using tests::BoolResult;
using tests::IntResult;

TypedValue Ref(uint32_t window, uint32_t unit) { return ComponentValue(window, unit); }

TEST(WindowCommands, HandlesOfTheWindowAndItsUnits) {
  ASSERT_TRUE(BoolResult(CallCore(kLoadWindow, {Ref(tests::kUnitsWindow, tests::kUnitsWindowOwn)})));
  HWND window = FindInstance(tests::kUnitsWindow, 0);
  HWND unit = FindInstance(tests::kUnitsWindow, tests::kUnitA);
  ASSERT_TRUE(IsWindow(window));
  ASSERT_TRUE(IsWindow(unit));
  auto handle = [](uint32_t unitId) {
    return HWND(intptr_t(IntResult(CallCore(kWindowHandleOf, {Ref(tests::kUnitsWindow, unitId)}))));
  };
  EXPECT_EQ(handle(tests::kUnitsWindowOwn), window);
  EXPECT_EQ(handle(tests::kUnitA), unit);
}

TEST(WindowCommands, MoveUnitMovesALoadedUnitInItsParentsClientArea) {
  ASSERT_TRUE(BoolResult(CallCore(kLoadWindow, {Ref(tests::kUnitsWindow, tests::kUnitsWindowOwn)})));
  HWND unit = FindInstance(tests::kUnitsWindow, tests::kUnitA);
  ASSERT_NE(unit, nullptr);
  CallCore(kMoveUnit, {Ref(tests::kUnitsWindow, tests::kUnitA), IntValue(11), IntValue(12),
                       IntValue(30), IntValue(-1)});
  RECT r;
  GetWindowRect(unit, &r);
  MapWindowPoints(nullptr, GetParent(unit), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 11);
  EXPECT_EQ(r.top, 12);
  EXPECT_EQ(r.right - r.left, 30);
  EXPECT_EQ(r.bottom - r.top, 20);  // the stored height
}

TEST(WindowCommands, LoadWindowOwnsTheNewWindowByTheLoadedParent) {
  TypedValue parent = Ref(tests::kUnitsWindow, tests::kUnitsWindowOwn);
  TypedValue styled = Ref(tests::kStyledWindow, 0);
  EXPECT_FALSE(BoolResult(CallCore(kLoadWindow, {styled, parent}))) << "parent not loaded yet";
  ASSERT_TRUE(BoolResult(CallCore(kLoadWindow, {parent})));
  ASSERT_TRUE(BoolResult(CallCore(kLoadWindow, {styled, parent, BoolValue(false)})));
  HWND owned = FindInstance(tests::kStyledWindow, 0);
  ASSERT_NE(owned, nullptr);
  EXPECT_EQ(GetWindow(owned, GW_OWNER), FindInstance(tests::kUnitsWindow, 0));
  EXPECT_FALSE(BoolResult(CallCore(kLoadWindow, {Ref(tests::kMissingWindow, 0)})));
}

}  // namespace
}  // namespace runtime
