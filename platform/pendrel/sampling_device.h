// A host's acquisition device as a trace preview drives it: the preview attaches a target
// document (a data document that answers IPendrelSamplingSink), sets the device up, starts,
// stops and starts again; the device fills the target while it samples. The host document lists
// its devices (IPendrelPreviewDocument::GetSamplingDevices); whoever takes a device from the
// list keeps one reference to it.
#pragma once

#include "core/iquor_string.h"
#include "platform/win32/unknown.h"

struct IPendrelSamplingDevice : IUnknown {
  PLATFORM_INTERFACE_ID("4fabad3f-9960-42d7-b083-b8620c254de4");
  using Base = IUnknown;
  // The first argument of every operation is reserved (0).
  virtual HRESULT IsSampling(DWORD reserved, VARIANT_BOOL* sampling) = 0;
  // Called once by whoever chose the device, with the channels it samples (0x80000000: all).
  virtual HRESULT SelectChannels(DWORD reserved, DWORD channelWord) = 0;
  // Prepares the next start: a preview passes (0, 0x80000000, 1).
  virtual HRESULT SetUp(DWORD reserved, DWORD channelWord, DWORD mode) = 0;
  // Asks the device to start. A non-zero `confirm` means that it starts only on ConfirmStart.
  // A failure may come with a text for the user (null when there is none); a failure of
  // kXQuorSilent (0xA004820F) was already reported and is shown to nobody again.
  virtual HRESULT RequestStart(DWORD reserved, WORD* confirm, IQuorString** error) = 0;
  // Starts after a request that asked for confirmation; `time` 0.0 starts now.
  virtual HRESULT ConfirmStart(DWORD reserved, double time, IQuorString** error) = 0;
  // Stops sampling; the target keeps what was sampled. S_OK when the device was idle.
  virtual HRESULT Stop(DWORD reserved) = 0;
  // The document the device samples into; the device holds a reference until it is detached.
  virtual HRESULT AttachTarget(DWORD reserved, IUnknown* document) = 0;
  // S_FALSE when the document was not attached.
  virtual HRESULT DetachTarget(DWORD reserved, IUnknown* document) = 0;

 protected:
  ~IPendrelSamplingDevice() = default;
};

// The sampling devices of a host document.
struct IPendrelSamplingDeviceList : IUnknown {
  PLATFORM_INTERFACE_ID("5c02be46-f65e-420c-b009-921e714b85f2");
  using Base = IUnknown;
  // Non-zero while the host is changing its devices: a caller takes none then.
  virtual HRESULT GetBusyWord(WORD* busy) = 0;
  virtual HRESULT GetCount(LONG* count) = 0;
  // The device at `index` (0 the first) with one reference; E_INVALIDARG past the end.
  virtual HRESULT GetDevice(LONG index, IPendrelSamplingDevice** device) = 0;

 protected:
  ~IPendrelSamplingDeviceList() = default;
};
