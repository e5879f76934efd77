// One view the host opens on a module document: the view class of its type word, found among
// the registered class objects, makes the view at a site; the view's window goes into a
// headless frame of its own; the host's notices, messages, commands and size query reach the
// view through its event-handler face; and the view is closed as the host closes views (Close,
// then DestroyClientWindow, then the last release). Lives on the host's user interface thread.
#pragma once

#include <memory>
#include <string>

#include "core/com_ptr.h"
#include "platform/owl/window.h"
#include "platform/pendrel/view_classes.h"
#include "platform/pendrel/view_messages.h"

namespace PendrelHost {

// The size of the frame a view opens in, in pixels.
struct ViewFrameSize {
  int width = 800;
  int height = 600;
};

class HostedView {
 public:
  // No view when no registered class answers the type word with IDocViewClass, or it makes
  // none; no window when the view will not take the frame.
  HostedView(DWORD typeWord, IUnknown* document, ViewFrameSize frameSize = {});
  ~HostedView();
  HostedView(const HostedView&) = delete;
  HostedView& operator=(const HostedView&) = delete;

  IDocView2* View() const { return m_view.Get(); }
  bool HasWindow() const { return m_hasWindow; }
  HWND Frame() const { return m_frame ? m_frame->GetHandle() : nullptr; }

  // What GetTitle gives; empty when it gives no string.
  std::u16string Title();
  // 1 when the view handled the message.
  LONG SendMessage(DWORD id, const void* parameters = nullptr, DWORD bytes = 0);
  void Notify(DWORD eventId, const void* parameters);
  void Command(DWORD id);
  bool IsCommandEnabled(DWORD id);
  PendrelViewSize PreferredSize();
  // Closes the view and lets it go; nothing when it is closed already.
  void Close();

 private:
  template <class I>
  Quor::ComPtr<I> Face() const;

  std::unique_ptr<OWL::TWindow> m_frame;
  Quor::ComPtr<ITarnViewSite> m_site;
  Quor::ComPtr<IDocView2> m_view;
  bool m_hasWindow = false;
};

}  // namespace PendrelHost
