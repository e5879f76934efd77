#include "TestSuite/UnitTestHelperLib/test_data_adder.h"

#include <cmath>
#include <ctime>
#include <limits>

#include "TestSuite/UnitTestHelperLib/unit_test_exception.h"
#include "core/quor_rational.h"
#include "core/unit_with_prefix.h"
#include "hostframework/extlib/host_calls.h"
#include "hostframework/extlib/host_queries.h"
#include "hostframework/unit_service.h"
#include "platform/pendrel/arithmetic_channels.h"

using ExtLib::CreateHostObject;
using ExtLib::Query;
using ExtLib::TextArgument;

Quor::ComPtr<IUnknown> ObjectFactoryAccessor::Get() {
  // The class registry is looked up once, under its own lock.
  return CreateHostObject<IUnknown>(kTarnTypeEmptyDataDocument);
}

bool ObjectFactoryAccessor::Available() { return GetTarnClassRegistry() != nullptr; }

DataAdderBase::DataAdderBase(IUnknown* document)
    : m_document(document ? Quor::ComPtr<IUnknown>(document) : ObjectFactoryAccessor::Get()) {}

HRESULT DataAdderBase::GetData(DWORD, IUnknown** data) {
  if (data) *data = nullptr;
  return E_NOTIMPL;
}

HRESULT DataAdderBase::GetLength(LONGLONG*) { return E_NOTIMPL; }

void DataAdderBase::SetChannelSet(std::vector<DWORD> words) {
  words.resize(std::max<std::size_t>(words.size(), 2));
  m_channelSet = std::move(words);
}

void DataAdderBase::AddChannelSet(const std::vector<DWORD>& words) {
  if (m_channelSet.size() < words.size()) m_channelSet.resize(words.size());
  for (std::size_t i = 0; i < words.size(); ++i) m_channelSet[i] |= words[i];
}

void DataAdderBase::RemoveChannelSet(const std::vector<DWORD>& words) {
  AddChannelSet(words);
  for (std::size_t i = 0; i < words.size(); ++i) m_channelSet[i] ^= words[i];
}

bool DataAdderBase::ChannelEnabled(std::size_t channel) const {
  const std::size_t word = channel / 32;
  return word < m_channelSet.size() && (m_channelSet[word] >> (channel % 32)) & 1u;
}

bool DataAdderBase::AnyChannelEnabled() const {
  for (DWORD word : m_channelSet) {
    if (word) return true;
  }
  return false;
}

FormulaDataAdder::FormulaDataAdder(IUnknown* document) : DataAdderBase(document) {
  mTicks = 10240;
}

HRESULT FormulaDataAdder::GetLength(LONGLONG* ticks) {
  if (!ticks) return E_POINTER;
  *ticks = mTicks;
  return S_OK;
}

HRESULT FormulaDataAdder::GetData(DWORD channel, IUnknown** data) {
  if (!data) return E_POINTER;
  *data = nullptr;
  // Called by the host while it records: nothing may be thrown back at it.
  try {
    UNIT_TEST_CHECK_MESSAGE(ObjectFactoryAccessor::Available(),
                            Quor::String("Tarn.DLL couldnt be loaded?"));
    UNIT_TEST_CHECK(channel < mSampleRates.size());
    const Quor::String formula =
        channel < mExpressions.size() ? mExpressions[channel] : Quor::String(u"0");
    auto calculation = CreateHostObject<IPendrelCalculation>(ExtLib::GetArithmeticCalcTypeId());
    auto settings =
        CreateHostObject<IPendrelArithmeticSettings>(ExtLib::GetArithmeticSettingsTypeId());
    if (!calculation || !settings) return E_FAIL;
    HRESULT hr = settings->SetTexts(TextArgument(formula), TextArgument(Quor::String(u"V")), 0);
    if (SUCCEEDED(hr)) hr = calculation->TakeSettings(settings.Get(), -1);
    if (FAILED(hr)) return hr;
    *data = calculation.Detach();
    return S_OK;
  } catch (const UnitTestException&) {
    return E_FAIL;
  }
}

void FormulaDataAdder::SetChannels(const std::vector<Quor::String>& expressions, LONG ticks,
                                   const std::vector<double>& sampleRates) {
  mExpressions = expressions;
  mSampleRates = sampleRates;
  UNIT_TEST_CHECK(mExpressions.size() == mSampleRates.size());
  if (mExpressions.empty()) {
    mExpressions = {Quor::String(u"1")};
    mSampleRates = {1000.0};
  }
  mTicks = ticks;
  if (!AnyChannelEnabled()) {
    std::vector<DWORD> words((expressions.size() + 31) / 32);
    for (std::size_t i = 0; i < expressions.size(); ++i) words[i / 32] |= 1u << (i % 32);
    SetChannelSet(std::move(words));
  }
  mTickRate = 0.0;
  for (double rate : mSampleRates) mTickRate = std::max(mTickRate, rate);
  if (mSampleRates.empty()) mTickRate = 1000.0;
}

void FormulaDataAdder::StartSampling(double startTime) {
  mSink = Query<IPendrelSamplingSink>(m_document.Get());
  UNIT_TEST_CHECK(mSink);
  if (startTime == 0.0) startTime = double(std::time(nullptr));
  UNIT_TEST_CHECK(mTicks != -1);
  UNIT_TEST_CHECK(mTickRate > 0);
  std::vector<DWORD> enabled = m_channelSet;
  if (!AnyChannelEnabled()) enabled = {1u, 0u};
  Quor::ComPtr<IUnitName> unit;
  CreateUnitName(UnitWithPrefix{u"V", 0}, Quor::ComPtrOut<IUnitName>::Bind(unit));
  for (std::size_t channel = 0; channel < mSampleRates.size(); ++channel) {
    // A rate that is not positive and finite has no sample period: an infinite one fails as
    // zero does.
    const double rate = std::isfinite(mSampleRates[channel]) ? mSampleRates[channel] : 0.0;
    UNIT_TEST_CHECK(rate>0);
    const QuorRational period = QuorRational::FromDouble(1.0 / rate);
    const bool tenVolts = channel < m_flags.size() && (m_flags[channel] & kTenVoltRange);
    const double high = tenVolts ? 10.0 : std::numeric_limits<double>::infinity();
    const double low = tenVolts ? -10.0 : -std::numeric_limits<double>::infinity();
    const bool on = channel / 32 < enabled.size() && (enabled[channel / 32] >> (channel % 32)) & 1u;
    mSink->DescribeChannel(DWORD(channel), on ? VARIANT_TRUE : VARIANT_FALSE, period.Numerator(),
                           period.Denominator(), unit.Get(), 1.0, 0.0, high, low, nullptr, this);
  }
  VARIANT_BOOL canSample = VARIANT_FALSE;
  IQuorString* reason = nullptr;
  mSink->CanSample(&canSample, &reason);
  Quor::String text;
  text.Adopt(reason);
  UNIT_TEST_CHECK_MESSAGE(canSample, text);
  mSink->PrepareSampling(0);
  const HRESULT hr = mSink->StartSampling(this, 1.0 / mTickRate, startTime, m_sinkValue,
                                          VARIANT_TRUE);
  UNIT_TEST_CHECK(hr == S_OK);
  mTicksAdded = 0;
}

void FormulaDataAdder::AddTicks(LONG n) {
  UNIT_TEST_CHECK(mSink);
  n = std::max<LONG>(0, std::min<LONG>(n, mTicks - mTicksAdded));
  mSink->TicksAvailable(n);
  mTicksAdded += n;
  auto data = Query<IPendrelDataSource>(m_document.Get());
  LONG endOffset = kRecordEndOffset, endRecord = kRecordEndOffset;
  const bool recdata = data && data->GetDataEnd(0x80000000u, &endOffset, &endRecord) == S_OK;
  UNIT_TEST_CHECK(recdata);
  UNIT_TEST_CHECK(endOffset == mTicksAdded);
}

void FormulaDataAdder::StopSampling() {
  if (!mSink) return;
  DWORD ignored = 0;
  mSink->EndSampling(0, &ignored);
  mSink->StopSampling(VARIANT_TRUE);
  mSink.Clear();
}

void FormulaDataAdder::AddRecord(const std::vector<Quor::String>& expressions, LONG ticks,
                                 const std::vector<double>& sampleRates, double startTime) {
  StartRecord(expressions, ticks, sampleRates, startTime);
  AddTicks(mTicks);
  StopSampling();
}

void FormulaDataAdder::AddRecord(const std::vector<Quor::String>& expressions, LONG ticks,
                                 double sampleRate, double startTime) {
  AddRecord(expressions, ticks, std::vector<double>(expressions.size(), sampleRate), startTime);
}

void FormulaDataAdder::StartRecord(const std::vector<Quor::String>& expressions, LONG ticks,
                                   const std::vector<double>& sampleRates, double startTime) {
  SetChannels(expressions, ticks, sampleRates);
  StartSampling(startTime);
}

void FormulaDataAdder::StartRecord(const std::vector<Quor::String>& expressions, LONG ticks,
                                   double sampleRate, double startTime) {
  StartRecord(expressions, ticks, std::vector<double>(expressions.size(), sampleRate), startTime);
}

void AddExtraChannel(IUnknown* document, const Quor::String& formula) {
  auto channels = Query<IPendrelArithmeticChannels>(document);
  HRESULT hr = channels ? S_OK : E_NOINTERFACE;
  IQuorString* actual = nullptr;
  PendrelChannelRef channel = kNoChannel;
  if (hr == S_OK) {
    hr = channels->AddChannel(0, VARIANT_FALSE, TextArgument(Quor::String(u"Extra")), &actual,
                              &channel);
    if (actual) actual->Release();
  }
  if (hr == S_OK && !ExtLib::SetArithmeticFormula(document, channel, formula, Quor::String())) {
    hr = E_FAIL;
  }
  UNIT_TEST_CHECK(hr==S_OK);
}
