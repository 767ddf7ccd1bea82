// A minimal OLE control container: a child window that holds one ActiveX control in place
// and hands its dispatch events to a receiver.
#pragma once

#include <oaidl.h>
#include <ocidl.h>
#include <oleidl.h>
#include <windows.h>

#include <memory>

#include "webview/com.h"

namespace webview {

class EventReceiver {
 public:
  virtual void onControlEvent(DISPID id, DISPPARAMS& params) = 0;

 protected:
  ~EventReceiver() = default;
};

class ClientSite;
class EventSink;

class ControlHost {
 public:
  // Creates the host window (a child of parent with the given style, id and rectangle) and
  // the control in place inside it, connected to receiver for the events interface.
  // Null when the control cannot be created or activated.
  static std::unique_ptr<ControlHost> Create(HWND parent, const RECT& rect, UINT id, DWORD style,
                                             REFCLSID clsid, REFIID events,
                                             EventReceiver* receiver);
  ControlHost(const ControlHost&) = delete;
  ControlHost& operator=(const ControlHost&) = delete;
  // Disconnects the events, deactivates and closes the control, releases it and destroys
  // the host window.
  ~ControlHost();

  HWND window() const { return window_; }
  const ComPtr<IUnknown>& control() const { return control_; }
  // Moves the host window (parent client coordinates); the control follows.
  void move(const RECT& rect);
  void focus();

  // The window the control made for itself, or null.
  HWND controlWindow() const;
  // The object the control delivers its events to.
  ComPtr<IDispatch> eventSink() const;

 private:
  ControlHost() = default;
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void fitControl();
  void shutDown();

  HWND window_ = nullptr;
  ComPtr<IUnknown> control_;
  ComPtr<IOleObject> oleObject_;
  ComPtr<IOleInPlaceObject> inPlace_;
  ComPtr<IConnectionPoint> connection_;
  DWORD cookie_ = 0;
  ComPtr<ClientSite> site_;
  ComPtr<EventSink> sink_;

  friend class ClientSite;
};

// Objects of ours that COM still holds (sites and sinks), and control objects that were
// created and not yet finally released: both fall back to zero when nothing leaks.
long LiveComObjects();
long LiveControls();

}  // namespace webview
