#pragma once

// Reads a picture back as XML, the way a reader of the SVG would find its
// parts: XPath queries with the prefix "s" for the SVG namespace.

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <limits>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "plot/svg_document.h"

namespace tokshuf::plot::testing {

class Svg {
 public:
  explicit Svg(const ProfileRun& run) {
    std::ostringstream out;
    writeSvg(out, run);
    parse(out.str());
  }
  Svg(const std::vector<PlotText>& texts, bool relative) {
    std::ostringstream out;
    writeGridSvg(out, texts, relative);
    parse(out.str());
  }
  explicit Svg(std::string text) { parse(std::move(text)); }

 private:
  void parse(std::string text) {
    text_ = std::move(text);
    doc_.reset(xmlReadMemory(text_.data(), static_cast<int>(text_.size()), "test.svg",
                             nullptr, XML_PARSE_NONET));
    if (doc_) {
      context_.reset(xmlXPathNewContext(doc_.get()));
      xmlXPathRegisterNs(context_.get(), BAD_CAST "s", BAD_CAST "http://www.w3.org/2000/svg");
    }
  }
 public:
  bool wellFormed() const { return doc_ != nullptr; }

  // The string values of all nodes an XPath expression selects.
  std::vector<std::string> all(const std::string& xpath) const {
    std::vector<std::string> values;
    std::unique_ptr<xmlXPathObject, decltype(&xmlXPathFreeObject)> result(
        xmlXPathEvalExpression(BAD_CAST xpath.c_str(), context_.get()), xmlXPathFreeObject);
    if (!result || !result->nodesetval) return values;
    for (int i = 0; i < result->nodesetval->nodeNr; ++i) {
      xmlChar* content = xmlNodeGetContent(result->nodesetval->nodeTab[i]);
      values.emplace_back(content ? reinterpret_cast<char*>(content) : "");
      xmlFree(content);
    }
    return values;
  }
  std::size_t count(const std::string& xpath) const { return all(xpath).size(); }
  const std::string& text() const { return text_; }
  std::string one(const std::string& xpath) const {
    const auto values = all(xpath);
    EXPECT_EQ(values.size(), 1u) << xpath;
    return values.empty() ? "" : values[0];
  }

 private:
  struct DocFree {
    void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
  };
  struct ContextFree {
    void operator()(xmlXPathContext* c) const { xmlXPathFreeContext(c); }
  };
  std::string text_;
  std::unique_ptr<xmlDoc, DocFree> doc_;
  std::unique_ptr<xmlXPathContext, ContextFree> context_;
};

struct Point {
  double x;
  double y;
};

// "x1,y1 x2,y2 ..." or "Mx,y Lx,y ..." into points.
inline std::vector<Point> pointsOf(std::string text) {
  for (char& c : text) {
    if (c == 'M' || c == 'L' || c == ',') c = ' ';
  }
  std::istringstream in(text);
  std::vector<Point> points;
  for (Point p; in >> p.x >> p.y;) points.push_back(p);
  return points;
}

// Every number in the geometry of the picture (coordinates, sizes, points,
// path data and transforms), for checks that they are finite and inside
// the picture. A "nan" or "inf" among them is returned as nan.
inline std::vector<double> geometryNumbers(const Svg& svg) {
  static const std::regex number(R"(-?(\d+\.?\d*|\.\d+)(e[-+]?\d+)?|-?nan|-?inf)",
                                 std::regex::icase);
  std::vector<double> numbers;
  for (const std::string& value :
       svg.all("//@x | //@y | //@cx | //@cy | //@r | //@x1 | //@y1 | //@x2 | //@y2 | "
               "//@width | //@height | //@points | //@d | //@transform | //@dx")) {
    for (std::sregex_iterator it(value.begin(), value.end(), number), end; it != end; ++it) {
      const std::string word = it->str();
      const bool finite = word.find_first_of("nNiI") == std::string::npos;
      numbers.push_back(finite ? std::stod(word) : std::numeric_limits<double>::quiet_NaN());
    }
  }
  return numbers;
}

}  // namespace tokshuf::plot::testing
