// The computed channels of a recording document: named channels defined by formulas, compiled
// when first read and kept until a formula they depend on changes. A channel that fails keeps
// the reason until then. Indexes stay fixed for a channel's life, so the host can refer to
// channels by index as well as by name. Names match in any case.
//
// Reading is lazy: a channel computes only the blocks that are read, through the stages its
// formula names, and all stages share one block cache of bounded size, so even a 24-hour
// recording never holds more than that budget of computed samples.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "host/channels/block_cache.h"
#include "host/channels/channel_value.h"
#include "host/channels/event_enumerator_registry.h"
#include "host/recording/recording.h"

namespace PendrelHost {

class ComputedChannels {
 public:
  // A pass through the detection chain keeps a few blocks of each stage; this leaves room for
  // views that go back and forth.
  static constexpr std::size_t kDefaultCacheBytes = std::size_t{16} << 20;

  // The recording and the registry outlive the channels.
  ComputedChannels(const Recording& recording, const EventEnumeratorRegistry& registry,
                   std::size_t cacheBytes = kDefaultCacheBytes);

  // The index of the channel of this name, added without a formula when there is none.
  std::size_t Add(std::string_view name);
  std::optional<std::size_t> Find(std::string_view name) const;
  // Indexes run from 0 to Count() - 1; removed channels leave their index unused.
  std::size_t Count() const { return m_slots.size(); }
  bool Exists(std::size_t index) const { return index < m_slots.size() && m_slots[index].exists; }

  const std::string& Name(std::size_t index) const { return Slot(index).name; }
  const std::string& FormulaText(std::size_t index) const { return Slot(index).formula; }
  const std::string& Unit(std::size_t index) const { return Slot(index).unit; }

  void SetFormula(std::size_t index, std::string formula, std::string unit = {});
  // Forgets what the channel and the channels using it computed; they compute again when read.
  void Reset(std::size_t index);
  void Remove(std::size_t index);

  // The channel ready to read: sampled or events. Throws ChannelError with the reason it fails.
  ChannelValue Channel(std::size_t index);
  // Why the channel fails, or nothing when it works.
  std::optional<std::string> Failure(std::size_t index);

  // A formula that is no channel of the document (the command line's); throws ChannelError.
  ChannelValue Evaluate(std::string_view formula);

  // Gives Ch<n> and RCh<n> past the recording's sampled channels a meaning: the name of the
  // channel numbered n, or nothing. The document numbers its event channels and computed
  // channels after the sampled ones, so that a number the module writes names any of them.
  void SetChannelNumbering(std::function<std::optional<std::string>(std::size_t number)> nameOfNumber) {
    m_nameOfNumber = std::move(nameOfNumber);
  }

  const Recording& Source() const { return m_recording; }
  const BlockCache& Cache() const { return *m_cache; }

 private:
  struct ChannelSlot {
    std::string name;
    std::string formula;
    std::string unit;
    bool exists = true;
    std::optional<ChannelValue> compiled;
    std::optional<std::string> failure;
    std::set<std::string> uses;  // the names its formula looked up, in lower case
  };

  const ChannelSlot& Slot(std::size_t index) const;
  ChannelValue Compile(std::size_t index, std::vector<std::size_t>& path);
  ChannelValue CompileText(std::string_view text, std::vector<std::size_t>& path, std::set<std::string>& uses);
  ChannelValue Resolve(const std::string& name, std::vector<std::size_t>& path, std::set<std::string>& uses);
  std::string CycleText(std::size_t index, const std::vector<std::size_t>& path) const;
  void Invalidate(const std::string& name);

  const Recording& m_recording;
  const EventEnumeratorRegistry& m_registry;
  std::shared_ptr<BlockCache> m_cache;
  std::vector<ChannelSlot> m_slots;
  std::function<std::optional<std::string>(std::size_t number)> m_nameOfNumber;
};

}  // namespace PendrelHost
