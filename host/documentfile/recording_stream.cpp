#include "host/documentfile/recording_stream.h"

#include <algorithm>
#include <vector>

#include "core/storage_bin_streams.h"
#include "core/string_record.h"
#include "core/xquor.h"
#include "host/documentfile/document_file_error.h"
#include "host/recording/recording_error.h"

namespace PendrelHost {

namespace {

constexpr LONG kRecordingVersion = 1;
// Samples are read in blocks of this many: a count the stream does not hold ends in a failed
// read, never in a large allocation.
constexpr std::size_t kSampleBlock = 1 << 20;
// More channels than any recording the host reads.
constexpr DWORD kMaxChannels = 4096;

void WriteText(Quor::BinOStream& out, const std::string& text) {
  Quor::WriteString(out, Quor::String(text));
}

std::string ReadText(Quor::BinIStream& in) {
  Quor::String text;
  Quor::ReadString(in, text);
  return text.ToUtf8String();
}

void WriteChannels(Quor::BinOStream& out, std::size_t count,
                   const ChannelInfo& (Recording::*channel)(std::size_t) const,
                   const Recording& recording) {
  out.WriteInt32(LONG(count));
  for (std::size_t i = 0; i < count; ++i) {
    WriteText(out, (recording.*channel)(i).title);
    WriteText(out, (recording.*channel)(i).unit);
  }
}

void WriteRecord(Quor::BinOStream& out, const Recording& recording, std::size_t record) {
  out.WriteDouble(recording.RecordStartTime(record));
  out.WriteInt32(recording.IsClosed(record) ? 1 : 0);
  out.WriteInt64(recording.TickCount(record));
  for (std::size_t channel = 0; channel < recording.ChannelCount(); ++channel) {
    const std::span<const float> samples = recording.Samples(record, channel);
    for (std::size_t at = 0; at < samples.size(); at += kSampleBlock) {
      const std::size_t n = std::min(kSampleBlock, samples.size() - at);
      out.WriteBytes(samples.data() + at, DWORD(n * sizeof(float)));
    }
  }
  for (std::size_t channel = 0; channel < recording.EventChannelCount(); ++channel) {
    const EventRecords& events = recording.Events(record, channel);
    out.WriteInt32(LONG(events.Count()));
    for (std::size_t i = 0; i < events.Count(); ++i) {
      const std::byte* event = events.Data(i);
      out.WriteInt32(EventTick(event));
      out.WriteFloat(EventFraction(event, events.RecordSize()));
      out.WriteDouble(EventValue(event, events.RecordSize()));
    }
  }
}

void WriteSelection(Quor::BinOStream& out, const std::optional<Selection>& selection) {
  out.WriteInt32(selection ? 1 : 0);
  if (!selection) return;
  for (const RecordPosition& position : {selection->start, selection->end}) {
    out.WriteInt64(LONGLONG(position.record));
    out.WriteInt64(position.tick);
  }
}

[[noreturn]] void Damaged(const char* what) {
  throw DocumentFileError(std::string("the recording kept in the document is damaged: ") + what);
}

DWORD ReadCount(Quor::BinIStream& in, DWORD limit, const char* what) {
  DWORD count = 0;
  in.ReadUInt32(&count);
  if (!in.Good()) Damaged("it ends early");
  if (count > limit) Damaged(what);
  return count;
}

std::vector<ChannelInfo> ReadChannels(Quor::BinIStream& in) {
  const DWORD count = ReadCount(in, kMaxChannels, "it names too many channels");
  std::vector<ChannelInfo> channels;
  for (DWORD i = 0; i < count; ++i) {
    ChannelInfo info;
    info.title = ReadText(in);
    info.unit = ReadText(in);
    channels.push_back(std::move(info));
  }
  return channels;
}

std::vector<float> ReadSamples(Quor::BinIStream& in, LONGLONG ticks) {
  std::vector<float> samples;
  while (LONGLONG(samples.size()) < ticks) {
    const std::size_t n = std::min<LONGLONG>(kSampleBlock, ticks - LONGLONG(samples.size()));
    const std::size_t at = samples.size();
    samples.resize(at + n);
    if (FAILED(in.ReadBytes(samples.data() + at, DWORD(n * sizeof(float))))) {
      Damaged("it ends early");
    }
  }
  return samples;
}

void ReadRecord(Quor::BinIStream& in, Recording& recording) {
  double start = 0;
  LONG closed = 0;
  LONGLONG ticks = 0;
  in.ReadDouble(&start);
  in.ReadInt32(&closed);
  in.ReadInt64(&ticks);
  if (!in.Good()) Damaged("it ends early");
  if (ticks < 0) Damaged("a record has a negative length");
  const std::size_t record = recording.AddRecord(start);
  std::vector<std::vector<float>> samples;
  for (std::size_t channel = 0; channel < recording.ChannelCount(); ++channel) {
    samples.push_back(ReadSamples(in, ticks));
  }
  if (ticks > 0) {
    recording.ReserveTicks(record, ticks);
    std::vector<std::span<const float>> block(samples.begin(), samples.end());
    recording.AppendSamples(record, block);
  }
  for (std::size_t channel = 0; channel < recording.EventChannelCount(); ++channel) {
    const DWORD count = ReadCount(in, DWORD(std::max<LONGLONG>(ticks, 0)) + 1,
                                  "a record has more events than ticks");
    for (DWORD i = 0; i < count; ++i) {
      EventRecord event{};
      in.ReadInt32(&event.tick);
      in.ReadFloat(&event.fraction);
      in.ReadDouble(&event.value);
      if (!in.Good()) Damaged("it ends early");
      recording.AddEvent(record, channel, event);
    }
  }
  if (closed) recording.CloseRecord(record);
}

std::optional<Selection> ReadSelection(Quor::BinIStream& in) {
  LONG present = 0;
  in.ReadInt32(&present);
  if (!present) return std::nullopt;
  LONGLONG words[4] = {};
  for (LONGLONG& word : words) in.ReadInt64(&word);
  if (!in.Good() || words[0] < 0 || words[2] < 0) return std::nullopt;
  return Selection{{std::size_t(words[0]), words[1]}, {std::size_t(words[2]), words[3]}};
}

}  // namespace

void WriteRecording(const Recording& recording, IStream* stream) {
  Quor::StorageBinOStreamLite out(stream);
  out.WriteInt32(kRecordingVersion);
  out.WriteDouble(recording.SampleRate());
  out.WriteInt32(recording.StartDateTime() ? 1 : 0);
  out.WriteDouble(recording.StartDateTime().value_or(0.0));
  WriteChannels(out, recording.ChannelCount(), &Recording::Channel, recording);
  WriteChannels(out, recording.EventChannelCount(), &Recording::EventChannel, recording);
  out.WriteInt32(LONG(recording.RecordCount()));
  for (std::size_t record = 0; record < recording.RecordCount(); ++record) {
    WriteRecord(out, recording, record);
  }
  WriteSelection(out, recording.CurrentSelection());
  if (FAILED(out.Close())) throw DocumentFileError("the recording could not be written");
}

Recording ReadRecording(IStream* stream) {
  try {
    Quor::StorageBinIStreamLite in(stream);
    LONG version = 0;
    in.ReadInt32(&version);
    if (!in.Good()) Damaged("it ends early");
    if (version != kRecordingVersion) {
      throw DocumentFileError("the recording kept in the document was written by a newer "
                              "version of the host");
    }
    double rate = 0, startDateTime = 0;
    LONG hasStart = 0;
    in.ReadDouble(&rate);
    in.ReadInt32(&hasStart);
    in.ReadDouble(&startDateTime);
    if (!in.Good()) Damaged("it ends early");
    Recording recording(rate);
    if (hasStart) recording.SetStartDateTime(startDateTime);
    for (ChannelInfo& info : ReadChannels(in)) recording.AddChannel(std::move(info));
    for (ChannelInfo& info : ReadChannels(in)) recording.AddEventChannel(std::move(info));
    const DWORD records = ReadCount(in, 0xFFFFFF, "it claims too many records");
    for (DWORD record = 0; record < records; ++record) ReadRecord(in, recording);
    try {
      recording.Select(ReadSelection(in));
    } catch (const RecordingError&) {
      // A selection outside the data is dropped; the data is whole.
    }
    return recording;
  } catch (const RecordingError& error) {
    Damaged(error.what());
  } catch (const XQuor&) {
    Damaged("a text in it cannot be read");
  }
}

}  // namespace PendrelHost
