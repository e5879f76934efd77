// An interactive object for tests: it writes each call into a shared log, saves and loads one
// word, and keeps the mouse in the phases a test asks.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/com_object.h"
#include "tracedisplay/panes/interactive_objects.h"

class TestObject final
    : public SimpleUnknownImp2<IPendrelInteractiveObject, IPendrelMouseInteraction, 0> {
 public:
  TestObject(std::string name, std::vector<std::string>& log, DWORD identity = 0)
      : m_name(std::move(name)), m_log(log), m_identity(identity) {}

  HRESULT OnSize(LONG width, LONG height) override {
    Note("size " + std::to_string(width) + "x" + std::to_string(height));
    return S_OK;
  }
  HRESULT OnScaleChanged(LONG lane, LONG axis) override {
    Note("scale " + std::to_string(lane) + "," + std::to_string(axis));
    return S_OK;
  }
  HRESULT LoadState(Quor::BinIStream* stream) override {
    stream->ReadInt32(&loaded);
    Note("load");
    return S_OK;
  }
  HRESULT SaveState(Quor::BinOStream* stream) override {
    stream->WriteInt32(saved);
    Note("save");
    return S_OK;
  }
  HRESULT OnPaneEvent(PaneEvent event, LONG_PTR, LONG_PTR, LONG_PTR) override {
    Note("event " + std::to_string(DWORD(event)));
    return S_OK;
  }
  HRESULT OnMouse(LONG phase, POINT, DWORD) override {
    Note("mouse " + std::to_string(phase));
    return S_OK;
  }
  HRESULT LetsGo(LONG phase) override { return phase == keepsPhase ? S_FALSE : S_OK; }
  DWORD Identity() override { return m_identity; }

  LONG saved = 0x0B1EC7;
  LONG loaded = 0;
  LONG keepsPhase = 0;

 private:
  void Note(const std::string& what) { m_log.push_back(m_name + ": " + what); }

  std::string m_name;
  std::vector<std::string>& m_log;
  DWORD m_identity;
};
