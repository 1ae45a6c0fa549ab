#include "scene_reader.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <cmath>
#include <fstream>
#include <limits>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <vector>

namespace quillmark::host {

namespace {

using nlohmann::json;
using pluginsdk::host::Scene;

// The default scene in the file format, so that a key a file leaves out
// takes exactly what the default has, read by the same code.
constexpr std::string_view kDefaultSceneText = R"({
  "replay": true,
  "camera": { "view_target": "ada" },
  "event": { "cars": [ { "player": "ada" }, { "player": "bea" }, { "player": "cyd" },
                       { "player": "dov" }, { "player": "eli" }, { "player": "fay" } ] },
  "players": {
    "ada": { "name": "Ada", "camera": { "FOV": 110, "Height": 100, "Angle": -3,
        "Distance": 270, "Stiffness": 0.5, "SwivelSpeed": 4.7, "TransitionSpeed": 1.2 } },
    "bea": { "name": "Bea", "camera": { "FOV": 109, "Height": 110, "Angle": -4,
        "Distance": 280, "Stiffness": 0.4, "SwivelSpeed": 5, "TransitionSpeed": 1 } },
    "cyd": { "name": "Cyd", "camera": { "FOV": 110, "Height": 90, "Angle": -5,
        "Distance": 260, "Stiffness": 0.6, "SwivelSpeed": 3.5, "TransitionSpeed": 1.3 } },
    "dov": { "name": "Dov", "camera": { "FOV": 108, "Height": 100, "Angle": -3,
        "Distance": 270, "Stiffness": 0.35, "SwivelSpeed": 4, "TransitionSpeed": 1.1 } },
    "eli": { "name": "Eli", "camera": { "FOV": 110, "Height": 120, "Angle": -2,
        "Distance": 290, "Stiffness": 0.45, "SwivelSpeed": 6, "TransitionSpeed": 1.4 } },
    "fay": { "name": "Fay", "camera": { "FOV": 107, "Height": 100, "Angle": -4,
        "Distance": 250, "Stiffness": 0.55, "SwivelSpeed": 4.5, "TransitionSpeed": 1 } }
  },
  "canvas": [1920, 1080]
})";

const char* typeName(const json& value) {
  switch (value.type()) {
    case json::value_t::null:
      return "null";
    case json::value_t::object:
      return "an object";
    case json::value_t::array:
      return "an array";
    case json::value_t::string:
      return "a string";
    case json::value_t::boolean:
      return "a boolean";
    case json::value_t::number_integer:
    case json::value_t::number_unsigned:
    case json::value_t::number_float:
      return "a number";
    case json::value_t::binary:
      return "binary data";
    case json::value_t::discarded:
      return "nothing";
  }
  return "?";
}

// Text from the file as a JSON string literal, so that an error stays one
// line whatever the text holds.
std::string quoted(const std::string& text) { return json(text).dump(); }

// A key as a path shows it: bare when it is a plain word, quoted otherwise.
std::string pathKey(const std::string& key) {
  const bool plain = !key.empty() && std::all_of(key.begin(), key.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-';
  });
  return plain ? key : quoted(key);
}

// Reads one parsed document, naming every problem by its key path.
class Reader {
 public:
  explicit Reader(std::string_view name) : name_(name) {}

  [[noreturn]] void fail(const std::string& path, const std::string& what) const {
    throw SceneError(name_ + ": " + (path.empty() ? "(top level)" : path) + ": " + what);
  }

  void expect(const json& value, bool ok, const std::string& path, const char* wanted) const {
    if (!ok) fail(path, std::string("expected ") + wanted + ", got " + typeName(value));
  }

  void onlyKeys(const json& object, const std::string& path,
                std::initializer_list<std::string_view> keys) const {
    for (const auto& [key, value] : object.items()) {
      bool known = false;
      for (std::string_view each : keys) known = known || key == each;
      if (!known) fail(join(path, key), "unknown key");
    }
  }

  static std::string join(const std::string& path, const std::string& key) {
    return path.empty() ? pathKey(key) : path + "." + pathKey(key);
  }

  float setting(const json& value, const std::string& path) const {
    // JSON has no infinities or NaN, so they are written as these strings.
    if (value.is_string()) {
      const std::string text = value.get<std::string>();
      if (text == "Infinity") return std::numeric_limits<float>::infinity();
      if (text == "-Infinity") return -std::numeric_limits<float>::infinity();
      if (text == "NaN") return std::numeric_limits<float>::quiet_NaN();
      if (text == "-NaN") return -std::numeric_limits<float>::quiet_NaN();
      fail(path,
           "expected a number, \"Infinity\", \"-Infinity\", \"NaN\", \"-NaN\" or "
           "{\"bits\": \"0xXXXXXXXX\"}, got " +
               quoted(text));
    }
    // Any float at all, signalling NaNs and NaN payloads included, by its bits.
    if (value.is_object()) {
      onlyKeys(value, path, {"bits"});
      const std::string bitsPath = join(path, "bits");
      if (!value.contains("bits")) fail(bitsPath, "missing");
      const json& bits = value["bits"];
      expect(bits, bits.is_string(), bitsPath, "a string \"0xXXXXXXXX\"");
      return floatFromBits(bits.get<std::string>(), bitsPath);
    }
    expect(value, value.is_number(), path, "a number");
    const double number = value.get<double>();
    // Numbers that round to FLT_MAX are in range (3.4028235e38 among them);
    // from halfway to the next power of two on, a float would be infinite.
    constexpr double kFirstOutOfRange = 0x1.ffffffp127;
    if (std::fabs(number) >= kFirstOutOfRange) fail(path, "number out of the range of a float");
    return static_cast<float>(number);
  }

  float floatFromBits(const std::string& text, const std::string& path) const {
    const bool wellFormed =
        text.size() == 10 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') &&
        std::all_of(text.begin() + 2, text.end(),
                    [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
    if (!wellFormed) fail(path, "expected \"0x\" and 8 hex digits, got " + quoted(text));
    const auto bits = static_cast<std::uint32_t>(std::stoul(text.substr(2), nullptr, 16));
    return std::bit_cast<float>(bits);
  }

  // A name is text, or its bytes as numbers 0-255 for one that is not UTF-8
  // (JSON text cannot hold such bytes).
  std::string name(const json& value, const std::string& path) const {
    if (value.is_string()) return value.get<std::string>();
    expect(value, value.is_array(), path, "a string or an array of byte values");
    std::string bytes;
    bytes.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
      const json& byte = value[i];
      const std::string bytePath = path + "[" + std::to_string(i) + "]";
      expect(byte, byte.is_number_integer() || byte.is_number_unsigned(), bytePath, "an integer");
      const std::int64_t number = byte.get<std::int64_t>();
      if (number < 0 || number > 255) fail(bytePath, "must be between 0 and 255");
      bytes.push_back(static_cast<char>(static_cast<unsigned char>(number)));
    }
    return bytes;
  }

  pluginsdk::host::Player player(const json& value, const std::string& id,
                                 const std::string& path) const {
    expect(value, value.is_object(), path, "an object");
    onlyKeys(value, path, {"name", "car", "camera"});
    pluginsdk::host::Player result;
    result.name = id;
    if (value.contains("name")) {
      result.name = name(value["name"], join(path, "name"));
    }
    if (value.contains("car")) {
      const json& car = value["car"];
      expect(car, car.is_boolean(), join(path, "car"), "a boolean");
      result.hasCar = car.get<bool>();
    }
    if (value.contains("camera")) {
      const std::string cameraPath = join(path, "camera");
      const json& camera = value["camera"];
      expect(camera, camera.is_object(), cameraPath, "an object");
      onlyKeys(
          camera, cameraPath,
          {"FOV", "Height", "Angle", "Distance", "Stiffness", "SwivelSpeed", "TransitionSpeed"});
      struct Field {
        const char* key;
        float ProfileCameraSettings::*field;
      };
      constexpr Field kFields[] = {
          {"FOV", &ProfileCameraSettings::FOV},
          {"Height", &ProfileCameraSettings::Height},
          {"Angle", &ProfileCameraSettings::Angle},
          {"Distance", &ProfileCameraSettings::Distance},
          {"Stiffness", &ProfileCameraSettings::Stiffness},
          {"SwivelSpeed", &ProfileCameraSettings::SwivelSpeed},
          {"TransitionSpeed", &ProfileCameraSettings::TransitionSpeed},
      };
      for (const Field& each : kFields) {
        if (camera.contains(each.key)) {
          result.camera.*each.field = setting(camera[each.key], join(cameraPath, each.key));
        }
      }
    }
    return result;
  }

  // Reads `document` over `base`: keys the document has replace the base's.
  SceneFile read(const json& document, const json& base) const {
    expect(document, document.is_object(), "", "an object");
    onlyKeys(document, "", {"replay", "camera", "event", "players", "canvas"});
    auto pick = [&](const char* key) -> const json& {
      return document.contains(key) ? document[key] : base[key];
    };
    // A key the file leaves out is the default's; an error in what it refers
    // to must still say where the reference came from.
    auto where = [&](const char* key, const std::string& path) {
      return document.contains(key) ? path : path + " (from the default scene)";
    };

    SceneFile result;
    Scene& scene = result.scene;

    const json& replay = pick("replay");
    expect(replay, replay.is_boolean(), "replay", "a boolean");
    scene.inReplay = replay.get<bool>();

    const json& players = pick("players");
    expect(players, players.is_object(), "players", "an object");
    std::map<std::string, std::uint64_t> handles;
    std::uint64_t next = kFirstPlayerHandle;
    for (const auto& [id, value] : players.items()) {
      handles[id] = next;
      scene.players[next] = player(value, id, join("players", id));
      ++next;
    }
    auto handleOf = [&](const json& reference, const std::string& path,
                        bool mustName) -> std::uint64_t {
      if (reference.is_null()) return kNoPlayerHandle;
      expect(reference, reference.is_string(), path, "a player id or null");
      const auto found = handles.find(reference.get<std::string>());
      if (found != handles.end()) return found->second;
      if (mustName) {
        fail(path, "names no entry of players: " + quoted(reference.get<std::string>()));
      }
      return kNoPlayerHandle;
    };

    const json& camera = pick("camera");
    if (!camera.is_null()) {
      const std::string path = where("camera", "camera");
      expect(camera, camera.is_object(), path, "an object or null");
      onlyKeys(camera, path, {"view_target"});
      pluginsdk::host::Camera made;
      made.viewTarget = camera.contains("view_target")
                            ? handleOf(camera["view_target"], path + ".view_target", false)
                            : kNoPlayerHandle;
      scene.camera = made;
    }

    const json& event = pick("event");
    if (!event.is_null()) {
      const std::string path = where("event", "event");
      expect(event, event.is_object(), path, "an object or null");
      onlyKeys(event, path, {"cars"});
      pluginsdk::host::ReplayEvent made;
      if (event.contains("cars")) {
        const json& cars = event["cars"];
        expect(cars, cars.is_array(), path + ".cars", "an array");
        for (std::size_t i = 0; i < cars.size(); ++i) {
          const std::string carPath = path + ".cars[" + std::to_string(i) + "]";
          const json& car = cars[i];
          if (car.is_null()) {
            made.cars.emplace_back(std::nullopt);
            continue;
          }
          expect(car, car.is_object(), carPath, "an object or null");
          onlyKeys(car, carPath, {"player"});
          pluginsdk::host::Car each;
          each.pri = car.contains("player") ? handleOf(car["player"], carPath + ".player", true)
                                            : kNoPlayerHandle;
          made.cars.emplace_back(each);
        }
      }
      scene.event = std::move(made);
    }

    const json& canvas = pick("canvas");
    expect(canvas, canvas.is_array() && canvas.size() == 2, "canvas",
           "an array of two numbers [width, height]");
    for (std::size_t i = 0; i < 2; ++i) {
      const std::string path = "canvas[" + std::to_string(i) + "]";
      const json& size = canvas[i];
      expect(size, size.is_number_integer() || size.is_number_unsigned(), path, "an integer");
      const std::int64_t pixels = size.get<std::int64_t>();
      if (pixels < 1 || pixels > 16384) fail(path, "must be between 1 and 16384");
      (i == 0 ? result.canvasWidth : result.canvasHeight) = static_cast<int>(pixels);
    }
    return result;
  }

 private:
  std::string name_;
};

// Where the parser stopped, by a pass that keeps nothing: a number too large
// for a double is reported without a position otherwise.
class StopFinder final : public json::json_sax_t {
 public:
  std::size_t stoppedAt = 0;

  bool null() override { return true; }
  bool boolean(bool) override { return true; }
  bool number_integer(number_integer_t) override { return true; }
  bool number_unsigned(number_unsigned_t) override { return true; }
  bool number_float(number_float_t, const string_t&) override { return true; }
  bool string(string_t&) override { return true; }
  bool binary(binary_t&) override { return true; }
  bool start_object(std::size_t) override { return true; }
  bool key(string_t&) override { return true; }
  bool end_object() override { return true; }
  bool start_array(std::size_t) override { return true; }
  bool end_array() override { return true; }
  bool parse_error(std::size_t position, const std::string&, const json::exception&) override {
    stoppedAt = position;
    return false;
  }
};

// "NAME:LINE:COLUMN: not JSON: REASON" for the parser's exception, whose
// message is "[json.exception...] REASON" and whose position `byte` is
// 1-based and just past what could not be read.
[[noreturn]] void failNotJson(std::string_view text, std::string_view name, std::size_t byte,
                              const json::exception& error) {
  std::size_t line = 1;
  std::size_t column = 1;
  const std::size_t end = std::min<std::size_t>(byte > 0 ? byte - 1 : 0, text.size());
  for (std::size_t i = 0; i < end; ++i) {
    if (text[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  std::string reason = error.what();
  const std::size_t bracket = reason.find("] ");
  if (bracket != std::string::npos) reason = reason.substr(bracket + 2);
  // A parse error's reason starts "parse error at line L, column C: ".
  const std::size_t colon =
      reason.rfind("parse error", 0) == 0 ? reason.find(": ") : std::string::npos;
  if (colon != std::string::npos) reason = reason.substr(colon + 2);
  throw SceneError(std::string(name) + ":" + std::to_string(line) + ":" + std::to_string(column) +
                   ": not JSON: " + reason);
}

json parseOrFail(std::string_view text, std::string_view name) {
  try {
    return json::parse(text);
  } catch (const json::parse_error& error) {
    failNotJson(text, name, error.byte, error);
  } catch (const json::out_of_range& error) {
    StopFinder finder;
    json::sax_parse(text, &finder);
    failNotJson(text, name, finder.stoppedAt, error);
  }
}

}  // namespace

SceneFile readScene(std::string_view text, std::string_view name) {
  static const json base = json::parse(kDefaultSceneText);
  const json document = parseOrFail(text, name);
  return Reader(name).read(document, base);
}

SceneFile defaultScene() { return readScene("{}", "the default scene"); }

SceneFile readSceneFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string name = path.string();
  std::error_code ignored;
  if (!std::filesystem::exists(path, ignored)) throw SceneError(name + ": no such scene file");
  if (std::filesystem::is_directory(path, ignored)) {
    throw SceneError(name + ": is a directory, not a scene file");
  }
  if (!in) throw SceneError(name + ": cannot read the scene file");
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) throw SceneError(name + ": cannot read the scene file");
  return readScene(text.str(), name);
}

}  // namespace quillmark::host
