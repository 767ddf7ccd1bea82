// The program's own form data, read back with the runtime's reader: every stored value.
#include <gtest/gtest.h>

#include "app/form_data.h"
#include "runtime/core_library.h"
#include "runtime/form_data.h"

namespace player {
namespace {

using runtime::HandlerResult;

int Start() { return 0; }
HandlerResult MainHandler(std::span<const int32_t>) { return {}; }
HandlerResult PageHandler(std::span<const int32_t>) { return {}; }

class PlayerFormData : public ::testing::Test {
 protected:
  void SetUp() override {
    bytes_ = BuildFormData(Start, MainHandler, PageHandler);
    map_ = runtime::ReadFormData(bytes_.data(), uint32_t(bytes_.size()),
                                 reinterpret_cast<intptr_t>(&Start));
    ASSERT_TRUE(map_);
  }
  std::vector<uint8_t> bytes_;
  runtime::TemplateMapPtr map_;
};

void ExpectPlainUnit(const runtime::UnitRecord& u) {
  EXPECT_EQ(u.sharedEventsUnit, 0u);
  EXPECT_EQ(u.reserved, (std::array<uint32_t, 4>{}));
  EXPECT_EQ(u.secondName, "");
  EXPECT_EQ(u.containerId, 0u);
  EXPECT_TRUE(u.contained.empty());
  EXPECT_TRUE(u.cursorImage.empty());
  EXPECT_EQ(u.furtherText, "");
  EXPECT_FALSE(u.menuItem);
}

runtime::WindowProperties ExpectedWindowProperties() {
  runtime::WindowProperties p;
  p.version = 6;
  p.borderStyle = 0;
  p.word3 = 1;
  p.backgroundColor = 0xFF000000;
  p.maximizeBox = 0;
  p.minimizeBox = 0;
  p.controlBox = 1;
  p.startPosition = 1;
  p.closeEnabled = 1;
  p.keptWords = {0, 0, 1, 0, 0};
  p.showInTaskbar = 1;
  p.words16 = {0, 0};
  p.alwaysOnTop = 0;
  p.word19 = 0;
  return p;
}

TEST_F(PlayerFormData, HasTheTwoWindowsInOrder) {
  ASSERT_EQ(map_->size(), 2u);
  EXPECT_EQ(map_->at(0).id, 0x52010001u);
  EXPECT_EQ(map_->at(1).id, 0x52011FE8u);
  EXPECT_EQ(map_->at(0).words, (std::array<uint32_t, 2>{0x8056, 0x19010004}));
  EXPECT_EQ(map_->at(1).words, (std::array<uint32_t, 2>{0xB, 0x19011FE9}));
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(map_->at(i).texts[0], "");
    EXPECT_EQ(map_->at(i).texts[1], "");
  }
  EXPECT_EQ(map_->at(0).unitIds, (std::vector<uint32_t>{0x06010000, 0x1601200F}));
  EXPECT_EQ(map_->at(1).unitIds, (std::vector<uint32_t>{0x06011FE7}));
}

TEST_F(PlayerFormData, StartWindowUnit) {
  const runtime::UnitRecord& u = map_->at(0).units[0];
  ExpectPlainUnit(u);
  EXPECT_EQ(u.dataType, 0x00010001u);
  EXPECT_EQ(u.name, "");
  EXPECT_EQ(u.left, 0);
  EXPECT_EQ(u.top, 0);
  EXPECT_EQ(u.width, 999);
  EXPECT_EQ(u.height, 95);
  EXPECT_EQ(u.styleFlags, 1u);
  ASSERT_EQ(u.handlers.size(), 1u);
  EXPECT_EQ(u.handlers[0].eventNumber, 0);
  EXPECT_EQ(u.handlers[0].handler, &MainHandler);

  auto p = runtime::ReadWindowProperties(u.properties);
  ASSERT_TRUE(p);
  runtime::WindowProperties expected = ExpectedWindowProperties();
  expected.title = "TarvoDJ音乐在线播放器   Tarvo音乐外链网：WWW.TARVODJ.COM";
  expected.icon = p->icon;
  EXPECT_EQ(*p, expected);

  // One 32 x 32 image of 32 bits per pixel.
  ASSERT_EQ(p->icon.size(), 4286u);
  const uint8_t* icon = p->icon.data();
  EXPECT_EQ(icon[2] | icon[3] << 8, 1);  // icon file
  EXPECT_EQ(icon[4] | icon[5] << 8, 1);  // one image
  EXPECT_EQ(icon[6], 32);
  EXPECT_EQ(icon[7], 32);
  EXPECT_EQ(icon[12] | icon[13] << 8, 32);
  EXPECT_TRUE(std::equal(p->icon.begin(), p->icon.end(), WindowIconFile().begin(),
                         WindowIconFile().end()));
}

TEST_F(PlayerFormData, HtmlViewerUnit) {
  const runtime::UnitRecord* u = map_->at(0).unit(0x1601200F);
  ASSERT_NE(u, nullptr);
  ExpectPlainUnit(*u);
  EXPECT_EQ(u->dataType, 0x00020001u);
  EXPECT_EQ(u->name, "超文本浏览框1");
  EXPECT_EQ(u->left, 4);
  EXPECT_EQ(u->top, 25);
  EXPECT_EQ(u->width, 990);
  EXPECT_EQ(u->height, 45);
  EXPECT_EQ(u->styleFlags, 5u);
  EXPECT_TRUE(u->handlers.empty());

  runtime::FormReader in(u->properties);
  uint32_t version = 0, zoom = 0, offline = 0, silent = 0;
  std::string address;
  ASSERT_TRUE(in.word(version) && in.word(zoom) && in.word(offline) && in.word(silent) &&
              in.countedText(address));
  EXPECT_EQ(version, 1u);
  EXPECT_EQ(zoom, 2u);
  EXPECT_EQ(offline, 1u);
  EXPECT_EQ(silent, 1u);
  EXPECT_EQ(address, "http://www.tarvodj.com/fmp/index.html");
  EXPECT_TRUE(in.rest().empty());
}

TEST_F(PlayerFormData, PageWindowUnit) {
  const runtime::UnitRecord& u = map_->at(1).units[0];
  ExpectPlainUnit(u);
  EXPECT_EQ(u.dataType, 0x00010001u);
  EXPECT_EQ(u.name, "");
  EXPECT_EQ(u.left, 0);
  EXPECT_EQ(u.top, 50);
  EXPECT_EQ(u.width, 803);
  EXPECT_EQ(u.height, 231);
  EXPECT_EQ(u.styleFlags, 1u);
  ASSERT_EQ(u.handlers.size(), 1u);
  EXPECT_EQ(u.handlers[0].eventNumber, 0);
  EXPECT_EQ(u.handlers[0].handler, &PageHandler);

  auto p = runtime::ReadWindowProperties(u.properties);
  ASSERT_TRUE(p);
  runtime::WindowProperties expected = ExpectedWindowProperties();
  expected.keptWords = {0, 0, 0, 0, 0};
  expected.title = "选择夹1";
  EXPECT_EQ(*p, expected);
}

}  // namespace
}  // namespace player
