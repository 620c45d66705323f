// Arbitrary bytes as the profile files of one run and its name, drawn as an
// SVG picture. Three leading bytes choose the picture: the kind (panels,
// panels over the share of the text read, or the plane of two measures
// with or without logarithmic axes) and whether the run is drawn beside a
// second copy of itself, then the plane's two measures. The rest is split
// at NUL bytes into the name and the contents of TEXT.obs, TEXT.mcm,
// TEXT.mcl, TEXT.mch, TEXT.mgl, TEXT.mgh and TEXT.mgt; a file whose part is
// missing does not exist.
// Reading must either succeed or end in one clean message line; a picture
// must be well-formed XML, with no non-finite number in any attribute and
// no markup from the input.
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "plot/plane_document.h"
#include "plot/plot_text.h"
#include "plot/profile_run.h"
#include "plot/profile_table.h"
#include "plot/svg_document.h"

namespace {

using namespace tokshuf::plot;

constexpr const char* kExtensions[] = {".obs", ".mcm", ".mcl", ".mch", ".mgl", ".mgh", ".mgt"};
constexpr std::size_t kParts = 1 + std::size(kExtensions);

std::vector<std::string_view> partsOf(std::string_view input) {
  std::vector<std::string_view> parts;
  while (parts.size() < kParts - 1) {
    const std::size_t end = input.find('\0');
    if (end == std::string_view::npos) break;
    parts.push_back(input.substr(0, end));
    input.remove_prefix(end + 1);
  }
  parts.push_back(input);
  return parts;
}

void checkMessage(const std::string& message) {
  if (message.empty()) std::abort();
  for (char c : message) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f) std::abort();
  }
}

ProfileTable parsePart(std::string_view content, const std::string& path) {
  std::istringstream in{std::string(content)};
  return parseProfile(in, path);
}

// "nan", "-nan", "inf" and "infinity" as words of an attribute value.
bool holdsNonFinite(std::string_view value) {
  std::string word;
  for (std::size_t i = 0; i <= value.size(); ++i) {
    const bool letter = i < value.size() && std::isalpha(static_cast<unsigned char>(value[i]));
    if (letter) {
      word += static_cast<char>(std::tolower(static_cast<unsigned char>(value[i])));
      continue;
    }
    if (word == "nan" || word == "inf" || word == "infinity") return true;
    word.clear();
  }
  return false;
}

// Appends the element names in document order and checks every attribute.
void walk(const xmlNode* node, std::string& names) {
  for (; node != nullptr; node = node->next) {
    if (node->type != XML_ELEMENT_NODE) continue;
    names += reinterpret_cast<const char*>(node->name);
    names += ' ';
    for (const xmlAttr* attribute = node->properties; attribute; attribute = attribute->next) {
      xmlChar* value = xmlNodeListGetString(node->doc, attribute->children, 1);
      const bool bad = value && holdsNonFinite(reinterpret_cast<const char*>(value));
      xmlFree(value);
      if (bad) std::abort();
    }
    walk(node->children, names);
  }
}

// The element names of a well-formed picture, in document order.
std::string elementNames(const std::string& svg) {
  xmlDoc* doc = xmlReadMemory(svg.data(), static_cast<int>(svg.size()), "fuzz.svg", nullptr,
                              XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  if (doc == nullptr) std::abort();
  std::string names;
  walk(xmlDocGetRootElement(doc), names);
  xmlFreeDoc(doc);
  return names;
}

struct Picture {
  int kind = 0;  // 0 panels, 1 panels over the share read, 2 the plane
  bool twoTexts = false;
  PlaneAxes plane;
};

Picture pictureOf(const std::uint8_t* selector) {
  Picture picture;
  picture.kind = (selector[0] & 0x03) % 3;
  picture.twoTexts = (selector[0] & 0x04) != 0;
  picture.plane.logX = (selector[0] & 0x08) != 0;
  picture.plane.logY = (selector[0] & 0x10) != 0;
  picture.plane.xColumn = 1 + selector[1] % kKnownMeasureCount;
  picture.plane.yColumn = 1 + selector[2] % kKnownMeasureCount;
  return picture;
}

std::string draw(const Picture& picture, const ProfileRun& run, const std::string& name) {
  std::vector<PlotText> texts{{name, run}};
  if (picture.twoTexts) texts.push_back({name + "2", run});
  std::ostringstream svg;
  if (picture.kind == 2) {
    writePlaneSvg(svg, texts, picture.plane);
  } else {
    writeGridSvg(svg, texts, picture.kind == 1);
  }
  return svg.str();
}

void renameRun(ProfileRun& run, const std::string& stem) {
  run.observed.path = stem + ".obs";
  if (run.mean) run.mean->path = stem + ".mcm";
  if (run.lower) run.lower->path = stem + ".mcl";
  if (run.upper) run.upper->path = stem + ".mch";
  if (run.globalLower) run.globalLower->path = stem + ".mgl";
  if (run.globalUpper) run.globalUpper->path = stem + ".mgh";
  if (run.globalTest) run.globalTest->path = stem + ".mgt";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  constexpr std::size_t kSelectorBytes = 3;
  if (size < kSelectorBytes) return 0;
  const Picture picture = pictureOf(data);
  const std::vector<std::string_view> parts = partsOf(std::string_view(
      reinterpret_cast<const char*>(data + kSelectorBytes), size - kSelectorBytes));
  if (parts.size() < 2) return 0;
  const std::string stem(parts[0]);
  ProfileRun run;
  try {
    run.observed = parsePart(parts[1], stem + kExtensions[0]);
    std::optional<ProfileTable>* companions[] = {&run.mean, &run.lower, &run.upper,
                                                 &run.globalLower, &run.globalUpper};
    for (std::size_t i = 2; i < parts.size() && i < kParts - 1; ++i) {
      ProfileTable table = parsePart(parts[i], stem + kExtensions[i - 1]);
      checkSameColumns(run.observed, table);
      checkSameChunks(run.observed, table);
      *companions[i - 2] = std::move(table);
    }
    if (parts.size() == kParts) {
      std::istringstream in{std::string(parts.back())};
      run.globalTest = parseGlobalTest(in, stem + ".mgt", run.observed);
    }
  } catch (const ProfileError& error) {
    checkMessage(error.what());
    return 0;
  }
  const std::string names = elementNames(draw(picture, run, stem));
  // The same files under a plain name must give the same elements: a name
  // can change the text of the picture, never its structure.
  renameRun(run, "text");
  if (elementNames(draw(picture, run, "text")) != names) std::abort();
  return 0;
}
