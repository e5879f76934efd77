// What an event-detection algorithm supplies to be served as a calculated event enumerator
// (EEH3Enumerator<Algo, N>):
//
//   struct MyAlgorithm {
//     using Params = ...;  // derives from EEH3::ParamsBase: reads, writes, builds its sources
//     using State = ...;   // derives from EEH3::StateBase; State(start) is the state of a record
//                          // that starts at tick `start`; copied at checkpoints
//     using Event = ...;   // the event record: plain bytes, its first field the int32 tick
//     static DWORD EventTypeId();
//     // Finds the next event from `state`, before state.DataLimit(); fills `event` and returns
//     // true when it found one. Always leaves the state's NextPosition() at the tick up to which
//     // the state is complete (at most the data limit), or at kRecordEndOffset.
//     static bool FindNextEvent(State& state, Params& params, Event& event);
//     static HRESULT CreateValueUnit(const Params& params, IUnitName** unit);
//   };
//
// A call that finds no event goes as far as the data limit or the end of the data: offline, a
// call that neither finds an event nor moves on ends the record. The results of FindNextEvent
// must not depend on the data limits it was called with, only on the state and the data: that is
// what makes reading from a checkpoint give the same events as reading from the record's start.
#pragma once

#include <concepts>
#include <type_traits>

#include "hostframework/eeh3/params_base.h"
#include "hostframework/eeh3/state_base.h"
#include "platform/pendrel/unit_name.h"

namespace EEH3 {

template <class A>
concept EnumeratorAlgorithm =
    std::derived_from<typename A::Params, ParamsBase> &&
    std::derived_from<typename A::State, StateBase> &&
    std::constructible_from<typename A::State, LONG> &&
    std::copy_constructible<typename A::State> &&
    std::is_trivially_copyable_v<typename A::Event> && sizeof(typename A::Event) >= sizeof(LONG) &&
    requires(typename A::State& state, typename A::Params& params, typename A::Event& event,
             IUnitName** unit) {
      { A::EventTypeId() } -> std::convertible_to<DWORD>;
      { A::FindNextEvent(state, params, event) } -> std::same_as<bool>;
      { A::CreateValueUnit(params, unit) } -> std::same_as<HRESULT>;
    };

}  // namespace EEH3
