// Reading scenes from JSON with nlohmann-json; every fault becomes a SceneError.
#include "runtime/sim/SceneJson.h"

#include <fstream>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

namespace sim {

namespace {

using nlohmann::json;

void CheckKeys(const json& object, const std::string& where,
               std::initializer_list<std::string_view> allowed) {
  if (!object.is_object()) throw SceneError(where + ": expected an object");
  for (const auto& item : object.items()) {
    bool known = false;
    for (std::string_view key : allowed) known = known || item.key() == key;
    if (!known) throw SceneError(where + ": unknown key \"" + item.key() + "\"");
  }
}

double Number(const json& object, const char* key, const std::string& where) {
  const json& value = object.at(key);
  if (!value.is_number()) throw SceneError(where + ": \"" + key + "\" must be a number");
  return value.get<double>();
}

double NumberOr(const json& object, const char* key, double fallback, const std::string& where) {
  return object.contains(key) ? Number(object, key, where) : fallback;
}

bool BoolOr(const json& object, const char* key, bool fallback, const std::string& where) {
  if (!object.contains(key)) return fallback;
  const json& value = object.at(key);
  if (!value.is_boolean()) throw SceneError(where + ": \"" + key + "\" must be true or false");
  return value.get<bool>();
}

Rgb Colour(const json& value, const std::string& where) {
  if (!value.is_array() || value.size() != 3)
    throw SceneError(where + ": a colour is an array [r, g, b]");
  int c[3];
  for (int i = 0; i < 3; ++i) {
    if (!value[i].is_number_integer() || value[i].get<long long>() < 0 ||
        value[i].get<long long>() > 255)
      throw SceneError(where + ": colour components are whole numbers from 0 to 255");
    c[i] = value[i].get<int>();
  }
  return {static_cast<std::uint8_t>(c[0]), static_cast<std::uint8_t>(c[1]),
          static_cast<std::uint8_t>(c[2])};
}

Clothing ReadClothing(const json& object, const std::string& where) {
  CheckKeys(object, where, {"shirt", "trousers", "skin", "hair", "shoes"});
  Clothing c;
  const std::pair<const char*, Rgb*> fields[] = {{"shirt", &c.shirt},
                                                 {"trousers", &c.trousers},
                                                 {"skin", &c.skin},
                                                 {"hair", &c.hair},
                                                 {"shoes", &c.shoes}};
  for (const auto& [key, target] : fields)
    if (object.contains(key)) *target = Colour(object.at(key), where + "." + key);
  return c;
}

PathKey ReadKey(const json& object, const std::string& where) {
  CheckKeys(object, where, {"t", "x", "z", "facing"});
  for (const char* key : {"t", "x", "z"})
    if (!object.contains(key)) throw SceneError(where + ": \"" + key + "\" is missing");
  return {Number(object, "t", where), Number(object, "x", where), Number(object, "z", where),
          NumberOr(object, "facing", 0.0, where)};
}

Person ReadPerson(const json& object, const std::string& where) {
  CheckKeys(object, where, {"name", "height_cm", "height_m", "clothing", "path"});
  Person p;
  if (object.contains("name")) {
    if (!object.at("name").is_string()) throw SceneError(where + ": \"name\" must be a string");
    p.name = object.at("name").get<std::string>();
  }
  const bool cm = object.contains("height_cm");
  const bool m = object.contains("height_m");
  if (cm == m) throw SceneError(where + ": give exactly one of \"height_cm\" and \"height_m\"");
  p.heightCm = cm ? Number(object, "height_cm", where) : Number(object, "height_m", where) * 100.0;
  if (object.contains("clothing"))
    p.clothing = ReadClothing(object.at("clothing"), where + ".clothing");
  if (!object.contains("path") || !object.at("path").is_array())
    throw SceneError(where + ": \"path\" must be an array of keys");
  const json& path = object.at("path");
  for (std::size_t k = 0; k < path.size(); ++k)
    p.path.push_back(ReadKey(path[k], where + ".path[" + std::to_string(k) + "]"));
  return p;
}

}  // namespace

Scene ParseScene(std::string_view text) {
  json root;
  try {
    root = json::parse(text);
  } catch (const json::parse_error& e) {
    throw SceneError(std::string("invalid JSON: ") + e.what());
  }
  const std::string where = "scene";
  CheckKeys(root, where, {"sensor_height_cm", "noise", "duration_s", "loop", "people"});
  Scene scene;
  scene.sensorHeightCm = NumberOr(root, "sensor_height_cm", scene.sensorHeightCm, where);
  scene.noise = BoolOr(root, "noise", scene.noise, where);
  scene.durationS = NumberOr(root, "duration_s", scene.durationS, where);
  scene.loop = BoolOr(root, "loop", scene.loop, where);
  if (root.contains("people")) {
    const json& people = root.at("people");
    if (!people.is_array()) throw SceneError(where + ": \"people\" must be an array");
    for (std::size_t i = 0; i < people.size(); ++i)
      scene.people.push_back(ReadPerson(people[i], "people[" + std::to_string(i) + "]"));
  }
  ValidateScene(scene);
  return scene;
}

Scene LoadSceneFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw SceneError(path.string() + ": cannot open the file");
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) throw SceneError(path.string() + ": cannot read the file");
  try {
    return ParseScene(text.str());
  } catch (const SceneError& e) {
    throw SceneError(path.string() + ": " + e.what());
  }
}

}  // namespace sim
