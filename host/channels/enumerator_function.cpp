#include "host/channels/enumerator_function.h"

#include <string>

#include "host/channels/enumerator_event_node.h"
#include "host/channels/function_arguments.h"

namespace PendrelHost {

namespace {

std::vector<SourceKind> LeadingChannelKinds(const std::vector<ChannelValue>& arguments) {
  std::vector<SourceKind> kinds;
  for (const ChannelValue& argument : arguments) {
    if (argument.IsNumber()) break;
    kinds.push_back(argument.IsEvents() ? SourceKind::Events : SourceKind::Samples);
  }
  return kinds;
}

}  // namespace

ChannelValue CallEnumeratorFunction(std::shared_ptr<const EventEnumeratorClass> enumeratorClass, std::string_view name,
                                    std::vector<ChannelValue> arguments, const CompileContext& context) {
  const bool described = enumeratorClass->DescribesParameters();
  const std::vector<SourceKind> channels =
      described ? enumeratorClass->ChannelParameters() : LeadingChannelKinds(arguments);
  const std::size_t count = described ? enumeratorClass->ParameterCount() : arguments.size();
  const FunctionArguments args(std::string(name) + " (" + enumeratorClass->Name() + ")", std::move(arguments));
  if (channels.size() > count) args.Fail("the enumerator describes more channels than parameters");
  args.ExpectCount(count);
  std::vector<EnumeratorInput> inputs;
  for (std::size_t i = 0; i < channels.size(); ++i) {
    if (channels[i] == SourceKind::Samples) {
      inputs.push_back({args.Samples(i), nullptr});
    } else {
      inputs.push_back({nullptr, args.Events(i)});
    }
  }
  std::vector<double> numbers;
  for (std::size_t i = channels.size(); i < count; ++i) numbers.push_back(args.Number(i));
  try {
    return {std::nullopt, nullptr,
            std::make_shared<EnumeratorEventNode>(context.recording, std::move(enumeratorClass), std::move(inputs),
                                                  std::move(numbers))};
  } catch (const std::exception& error) {
    args.Fail(error.what());
  }
}

}  // namespace PendrelHost
