#include "host/channels/enumerator_function.h"

#include <string>

#include "host/channels/enumerator_event_node.h"
#include "host/channels/function_arguments.h"

namespace PendrelHost {

ChannelValue CallEnumeratorFunction(std::shared_ptr<const EventEnumeratorClass> enumeratorClass, std::string_view name,
                                    std::vector<ChannelValue> arguments, const CompileContext& context) {
  const FunctionArguments args(std::string(name) + " (" + enumeratorClass->Name() + ")", std::move(arguments));
  const std::vector<SourceKind> channels = enumeratorClass->ChannelParameters();
  const std::size_t count = enumeratorClass->ParameterCount();
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
