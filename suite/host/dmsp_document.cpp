#include "suite/host/dmsp_document.h"

#include <nlohmann/json.hpp>

#include <fstream>
#include <stdexcept>

#include "platform/winnls.h"

namespace suite {

void write_dmsp(const std::string& posix_path, const DmspDocument& document) {
  nlohmann::json slides = nlohmann::json::array();
  for (const auto& slide : document.slides)
    slides.push_back({{"source", platform::to_utf8(slide.source)}, {"rotation", ((slide.rotation % 4) + 4) % 4}});
  const nlohmann::json json{
      {"format", "dmsp"}, {"version", 1}, {"title", platform::to_utf8(document.title)}, {"slides", slides}};
  std::ofstream out(posix_path, std::ios::binary | std::ios::trunc);
  out << json.dump(2) << '\n';
  out.close();
  if (!out) throw std::runtime_error(posix_path + ": the slide show could not be written");
}

DmspDocument read_dmsp(const std::string& posix_path) {
  std::ifstream in(posix_path, std::ios::binary);
  if (!in) throw std::runtime_error(posix_path + ": cannot be opened");
  const nlohmann::json json = nlohmann::json::parse(in, nullptr, false);
  if (json.is_discarded() || !json.is_object() || json.value("format", "") != "dmsp" || !json.contains("slides") ||
      !json["slides"].is_array())
    throw std::runtime_error(posix_path + ": not a slide-show document");
  DmspDocument document;
  if (json.contains("title") && json["title"].is_string()) document.title = platform::from_utf8(json["title"].get<std::string>());
  for (const auto& slide : json["slides"]) {
    if (!slide.is_object() || !slide.contains("source") || !slide["source"].is_string())
      throw std::runtime_error(posix_path + ": a slide names no source");
    DmspSlide out{platform::from_utf8(slide["source"].get<std::string>()), 0};
    if (slide.contains("rotation") && slide["rotation"].is_number_integer())
      out.rotation = static_cast<LONG>(((slide["rotation"].get<long long>() % 4) + 4) % 4);
    document.slides.push_back(std::move(out));
  }
  return document;
}

}  // namespace suite
