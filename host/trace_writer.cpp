#include "trace_writer.h"

#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>
#include <system_error>

namespace quillmark::host {

std::string jsonFloat(float value) {
  if (std::isnan(value)) return "\"NaN\"";
  if (std::isinf(value)) return value > 0 ? "\"Infinity\"" : "\"-Infinity\"";
  char text[32];
  const auto [end, error] = std::to_chars(text, text + sizeof text, value);
  (void)error;  // 32 bytes hold any float's shortest form
  return std::string(text, end);
}

std::string jsonText(const std::string& bytes) {
  return nlohmann::json(bytes).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

namespace {

std::string point(std::int32_t x, std::int32_t y) {
  return "[" + std::to_string(x) + "," + std::to_string(y) + "]";
}

const char* boolean(bool value) { return value ? "true" : "false"; }

struct OpLine {
  std::ostream& out;
  void operator()(const canvas::SetColor& op) const {
    out << "[\"SetColor\"," << int{op.red} << ',' << int{op.green} << ',' << int{op.blue} << ','
        << int{op.opacity} << "]\n";
  }
  void operator()(const canvas::DrawRect& op) const {
    out << "[\"DrawRect\"," << point(op.x1, op.y1) << ',' << point(op.x2, op.y2) << "]\n";
  }
  void operator()(const canvas::SetPosition& op) const {
    out << "[\"SetPosition\"," << point(op.x, op.y) << "]\n";
  }
  void operator()(const canvas::DrawString& op) const {
    out << "[\"DrawString\"," << jsonText(op.text) << ',' << jsonFloat(op.scaleX) << ','
        << jsonFloat(op.scaleY) << ',' << boolean(op.shadow) << ',' << boolean(op.wrap) << "]\n";
  }
};

}  // namespace

void writeTraceFrame(std::ostream& out, std::uint64_t frameNumber, const RecordedFrame& frame,
                     bool withCalls) {
  out << "[\"Frame\"," << frameNumber << "]\n";
  for (const FrameEntry& entry : frame.entries) {
    if (const auto* op = std::get_if<canvas::CanvasOp>(&entry)) {
      std::visit(OpLine{out}, *op);
    } else if (withCalls) {
      const auto& call = std::get<QueryCall>(entry);
      out << "[\"Call\",\"" << pluginsdk::host::operationName(call.operation) << "\"]\n";
    }
  }
}

}  // namespace quillmark::host
