// Test data for the enumerator self-tests: host data documents filled from channel formulas.
// ObjectFactoryAccessor makes an empty host data document; a FormulaDataAdder plays the part of
// a recording device over it: it describes its channels on the document's sampling interface,
// opens a record, pushes ticks (a whole record at once, or step by step while a test reads
// online) and closes it. The host computes the samples: for each channel the adder hands it an
// arithmetic calculation holding the channel's formula (such as "sinewave(0.9)").
// Adders are reference counted (from 0) and hold their document; a violated condition throws
// UnitTestException, leaving the record as far as it was written.
#pragma once

#include <vector>

#include "core/com_ptr.h"
#include "core/quor_string.h"
#include "platform/pendrel/device_sampling.h"
#include "platform/win32/com_object.h"

class ObjectFactoryAccessor {
 public:
  // A new, empty host data document; null when the host's class registry cannot be had.
  static Quor::ComPtr<IUnknown> Get();
  // Whether the host's class registry, which makes documents and formulas, can be had.
  static bool Available();
};

class DataAdderBase : public SimpleUnknownImp1<IQuorChannelDataSource, 0> {
 public:
  // Channel flag word bit that gives a channel the range +10 to -10.
  static constexpr DWORD kTenVoltRange = 0x80000000u;

  HRESULT Reserved1() override { return E_NOTIMPL; }
  HRESULT GetData(DWORD, IUnknown** data) override;
  HRESULT Reserved3() override { return E_NOTIMPL; }
  HRESULT GetLength2(LONGLONG* ticks) override { return GetLength(ticks); }
  HRESULT GetLength(LONGLONG* ticks) override;

  // The enabled channels as bit words (channel n is bit n % 32 of word n / 32); an empty set
  // enables channel 0 only.
  void SetChannelSet(std::vector<DWORD> words);
  void AddChannelSet(const std::vector<DWORD>& words);
  void RemoveChannelSet(const std::vector<DWORD>& words);
  void SetChannelFlags(std::vector<DWORD> flags) { m_flags = std::move(flags); }
  void SetSinkValue(DWORD value) { m_sinkValue = value; }

  IUnknown* Document() const { return m_document.Get(); }
  LONG TicksAdded() const { return mTicksAdded; }
  LONG Ticks() const { return mTicks; }

 protected:
  // A null document makes the adder create one through ObjectFactoryAccessor.
  explicit DataAdderBase(IUnknown* document);

  bool ChannelEnabled(std::size_t channel) const;
  bool AnyChannelEnabled() const;

  Quor::ComPtr<IUnknown> m_document;
  Quor::ComPtr<IPendrelSamplingSink> mSink;  // while a record is open
  std::vector<DWORD> m_channelSet;
  std::vector<double> mSampleRates;
  double mTickRate = 0.0;
  LONG mTicks = -1;
  std::vector<DWORD> m_flags;
  DWORD m_sinkValue = 0;
  LONG mTicksAdded = 0;
};

class FormulaDataAdder : public DataAdderBase {
 public:
  explicit FormulaDataAdder(IUnknown* document = nullptr);

  HRESULT GetData(DWORD channel, IUnknown** data) override;
  HRESULT GetLength(LONGLONG* ticks) override;

  // No expressions at all record the formula "1" at 1000 samples per second.
  void SetChannels(const std::vector<Quor::String>& expressions, LONG ticks,
                   const std::vector<double>& sampleRates);
  // A start time of 0 means now (calendar seconds).
  void StartSampling(double startTime);
  // Adds n more ticks, or what is left of the record.
  void AddTicks(LONG n);
  void StopSampling();

  // One whole record.
  void AddRecord(const std::vector<Quor::String>& expressions, LONG ticks,
                 const std::vector<double>& sampleRates, double startTime);
  void AddRecord(const std::vector<Quor::String>& expressions, LONG ticks, double sampleRate,
                 double startTime);
  // A record left open for AddTicks.
  void StartRecord(const std::vector<Quor::String>& expressions, LONG ticks,
                   const std::vector<double>& sampleRates, double startTime);
  void StartRecord(const std::vector<Quor::String>& expressions, LONG ticks, double sampleRate,
                   double startTime);

 private:
  std::vector<Quor::String> mExpressions;
};

// Adds a computed channel of `formula` to the document (the host picks a free name).
void AddExtraChannel(IUnknown* document, const Quor::String& formula);
