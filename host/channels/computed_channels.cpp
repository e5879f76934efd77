#include "host/channels/computed_channels.h"

#include <algorithm>

#include "host/channels/cache_node.h"
#include "host/channels/channel_error.h"
#include "host/channels/compile_context.h"
#include "host/channels/constant_node.h"
#include "host/channels/formula_compiler.h"
#include "host/channels/formula_parser.h"
#include "host/channels/name_compare.h"
#include "host/channels/source_channel_node.h"
#include "host/channels/source_event_node.h"

namespace PendrelHost {

namespace {

// Numbers become constant channels, and stages that recompute on every read get a cache of
// their own, since other stages read overlapping stretches of a named channel.
ChannelValue Readable(ChannelValue value, const Recording& recording, const std::shared_ptr<BlockCache>& cache) {
  if (value.IsNumber()) {
    return {std::nullopt, std::make_shared<ConstantNode>(recording, static_cast<float>(*value.number)), nullptr};
  }
  if (value.IsSamples() && !value.samples->HoldsValues()) {
    value.samples = std::make_shared<CacheNode>(cache, value.samples);
  }
  return value;
}

}  // namespace

ComputedChannels::ComputedChannels(const Recording& recording, const EventEnumeratorRegistry& registry,
                                   std::size_t cacheBytes)
    : m_recording(recording), m_registry(registry), m_cache(std::make_shared<BlockCache>(cacheBytes)) {}

const ComputedChannels::ChannelSlot& ComputedChannels::Slot(std::size_t index) const {
  if (!Exists(index)) throw ChannelError("there is no computed channel " + std::to_string(index));
  return m_slots[index];
}

std::optional<std::size_t> ComputedChannels::Find(std::string_view name) const {
  for (std::size_t i = 0; i < m_slots.size(); ++i) {
    if (m_slots[i].exists && SameName(m_slots[i].name, name)) return i;
  }
  return std::nullopt;
}

std::size_t ComputedChannels::Add(std::string_view name) {
  if (name.empty()) throw ChannelError("a computed channel needs a name");
  if (const auto found = Find(name)) return *found;
  m_slots.push_back({std::string(name), {}, {}, true, std::nullopt, std::nullopt, {}});
  // Channels that failed for want of this name may work now.
  Invalidate(std::string(name));
  return m_slots.size() - 1;
}

void ComputedChannels::SetFormula(std::size_t index, std::string formula, std::string unit) {
  Slot(index);
  m_slots[index].formula = std::move(formula);
  m_slots[index].unit = std::move(unit);
  Invalidate(m_slots[index].name);
}

void ComputedChannels::Reset(std::size_t index) { Invalidate(Slot(index).name); }

void ComputedChannels::Remove(std::size_t index) {
  const std::string name = Slot(index).name;
  m_slots[index] = ChannelSlot{};
  m_slots[index].exists = false;
  Invalidate(name);
}

void ComputedChannels::Invalidate(const std::string& name) {
  std::vector<std::string> changed{LowerName(name)};
  while (!changed.empty()) {
    const std::string lower = std::move(changed.back());
    changed.pop_back();
    for (ChannelSlot& slot : m_slots) {
      if (!slot.exists || (!slot.compiled && !slot.failure)) continue;
      if (LowerName(slot.name) != lower && !slot.uses.contains(lower)) continue;
      slot.compiled.reset();
      slot.failure.reset();
      changed.push_back(LowerName(slot.name));
    }
  }
}

ChannelValue ComputedChannels::Channel(std::size_t index) {
  Slot(index);
  std::vector<std::size_t> path;
  return Compile(index, path);
}

std::optional<std::string> ComputedChannels::Failure(std::size_t index) {
  try {
    Channel(index);
    return std::nullopt;
  } catch (const ChannelError& error) {
    return error.what();
  }
}

ChannelValue ComputedChannels::Evaluate(std::string_view formula) {
  std::vector<std::size_t> path;
  std::set<std::string> uses;
  return CompileText(formula, path, uses);
}

ChannelValue ComputedChannels::Compile(std::size_t index, std::vector<std::size_t>& path) {
  if (m_slots[index].compiled) return *m_slots[index].compiled;
  if (m_slots[index].failure) throw ChannelError(*m_slots[index].failure);
  if (std::find(path.begin(), path.end(), index) != path.end()) throw ChannelError(CycleText(index, path));
  path.push_back(index);
  std::set<std::string> uses;
  try {
    if (m_slots[index].formula.empty()) throw ChannelError("the channel has no formula");
    ChannelValue value = CompileText(m_slots[index].formula, path, uses);
    path.pop_back();
    m_slots[index].uses = std::move(uses);
    m_slots[index].compiled = value;
    return value;
  } catch (const std::exception& error) {
    path.pop_back();
    m_slots[index].uses = std::move(uses);
    m_slots[index].failure = error.what();
    throw ChannelError(error.what());
  }
}

ChannelValue ComputedChannels::CompileText(std::string_view text, std::vector<std::size_t>& path,
                                           std::set<std::string>& uses) {
  const Formula formula = ParseFormula(text);
  CompileContext context{m_recording, m_cache, m_registry,
                         [&](const std::string& name) { return Resolve(name, path, uses); }, nullptr};
  if (m_nameOfNumber) {
    context.resolveNumber = [&](std::size_t number) -> std::optional<ChannelValue> {
      const std::optional<std::string> name = m_nameOfNumber(number);
      if (!name) return std::nullopt;
      return Resolve(*name, path, uses);
    };
  }
  return Readable(CompileFormula(formula, context), m_recording, m_cache);
}

ChannelValue ComputedChannels::Resolve(const std::string& name, std::vector<std::size_t>& path,
                                       std::set<std::string>& uses) {
  uses.insert(LowerName(name));
  if (const auto index = Find(name)) {
    if (std::find(path.begin(), path.end(), *index) != path.end()) throw ChannelError(CycleText(*index, path));
    try {
      return Compile(*index, path);
    } catch (const ChannelError& error) {
      throw ChannelError("channel '" + m_slots[*index].name + "' fails: " + error.what());
    }
  }
  for (std::size_t channel = 0; channel < m_recording.ChannelCount(); ++channel) {
    if (SameName(m_recording.Channel(channel).title, name)) {
      return {std::nullopt, std::make_shared<SourceChannelNode>(m_recording, channel), nullptr};
    }
  }
  for (std::size_t channel = 0; channel < m_recording.EventChannelCount(); ++channel) {
    if (SameName(m_recording.EventChannel(channel).title, name)) {
      return {std::nullopt, nullptr, std::make_shared<SourceEventNode>(m_recording, channel)};
    }
  }
  throw ChannelError("unknown channel '" + name + "'");
}

std::string ComputedChannels::CycleText(std::size_t index, const std::vector<std::size_t>& path) const {
  std::string text = "the channels refer to each other in a cycle: ";
  for (auto at = std::find(path.begin(), path.end(), index); at != path.end(); ++at) text += m_slots[*at].name + " -> ";
  return text + m_slots[index].name;
}

}  // namespace PendrelHost
