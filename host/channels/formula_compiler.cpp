#include "host/channels/formula_compiler.h"

#include <string>
#include <vector>

#include "host/channels/arithmetic_node.h"
#include "host/channels/channel_error.h"
#include "host/channels/constant_node.h"
#include "host/channels/enumerator_function.h"
#include "host/channels/signal_functions.h"
#include "host/channels/source_channel_node.h"

namespace PendrelHost {

namespace {

double Fold(char operation, double left, double right) {
  switch (operation) {
    case '+': return left + right;
    case '-': return left - right;
    case '*': return left * right;
    default: return left / right;
  }
}

class Compiler {
 public:
  explicit Compiler(const CompileContext& context) : m_context(context) {}

  ChannelValue Compile(const Formula& formula) {
    switch (formula.kind) {
      case Formula::Kind::Number: return {formula.number, nullptr, nullptr};
      case Formula::Kind::ChannelNumber: return SourceChannel(formula);
      case Formula::Kind::Name: return m_context.resolveName(formula.name);
      case Formula::Kind::Negate: return Negate(formula);
      case Formula::Kind::Operation: return Operation(formula);
      case Formula::Kind::Call: return Call(formula);
    }
    throw ChannelError("the formula holds something the host cannot compute");
  }

 private:
  ChannelValue SourceChannel(const Formula& formula) const {
    const std::size_t count = m_context.recording.ChannelCount();
    if (formula.channel > count) {
      const std::string reference = std::string(formula.raw ? "RCh" : "Ch") + std::to_string(formula.channel);
      if (!m_context.resolveNumber) {
        throw ChannelError(reference + ": the recording has " + std::to_string(count) + " channel" +
                           (count == 1 ? "" : "s"));
      }
      if (std::optional<ChannelValue> numbered = m_context.resolveNumber(formula.channel)) return *numbered;
      throw ChannelError(reference + ": the document has no channel " + std::to_string(formula.channel));
    }
    return {std::nullopt, std::make_shared<SourceChannelNode>(m_context.recording, formula.channel - 1), nullptr};
  }

  std::shared_ptr<SignalNode> AsSamples(const ChannelValue& value, char operation) const {
    if (value.IsEvents()) {
      throw ChannelError(std::string("an event channel cannot take part in arithmetic ('") + operation + "')");
    }
    if (value.IsNumber()) {
      return std::make_shared<ConstantNode>(m_context.recording, static_cast<float>(*value.number));
    }
    return value.samples;
  }

  ChannelValue Negate(const Formula& formula) {
    const ChannelValue operand = Compile(formula.operands[0]);
    if (operand.IsNumber()) return {-*operand.number, nullptr, nullptr};
    const ChannelValue minusOne{-1.0, nullptr, nullptr};
    return {std::nullopt, std::make_shared<ArithmeticNode>('*', AsSamples(operand, '-'), AsSamples(minusOne, '-')),
            nullptr};
  }

  ChannelValue Operation(const Formula& formula) {
    const ChannelValue left = Compile(formula.operands[0]);
    const ChannelValue right = Compile(formula.operands[1]);
    const char operation = formula.operation;
    if (left.IsNumber() && right.IsNumber()) return {Fold(operation, *left.number, *right.number), nullptr, nullptr};
    return {std::nullopt,
            std::make_shared<ArithmeticNode>(operation, AsSamples(left, operation), AsSamples(right, operation)),
            nullptr};
  }

  ChannelValue Call(const Formula& formula) {
    std::vector<ChannelValue> arguments;
    for (const Formula& operand : formula.operands) arguments.push_back(Compile(operand));
    if (std::optional<ChannelValue> value = CallSignalFunction(formula.name, arguments, m_context)) return *value;
    if (auto enumeratorClass = m_context.registry.FindByOutputName(formula.name)) {
      return CallEnumeratorFunction(std::move(enumeratorClass), formula.name, std::move(arguments), m_context);
    }
    throw ChannelError("unknown function '" + formula.name + "'");
  }

  const CompileContext& m_context;
};

}  // namespace

ChannelValue CompileFormula(const Formula& formula, const CompileContext& context) {
  return Compiler(context).Compile(formula);
}

}  // namespace PendrelHost
