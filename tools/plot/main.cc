// tokshuf-plot: the profile files of up to eight tokshuf runs in, one SVG
// picture out.

#include <sys/stat.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <new>
#include <sstream>

#include "plot/companion_age.h"
#include "plot/plane_document.h"
#include "plot/plot_options.h"
#include "plot/profile_run.h"
#include "plot/svg_document.h"
#include "util/output_set.h"
#include "util/printable.h"
#include "util/standard_descriptors.h"
#include "util/version.h"

namespace {

using namespace tokshuf::plot;
namespace util = tokshuf::util;

struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Messages name files; a name must not break the line or reach the
// terminal as control characters.
constexpr std::size_t kLongestMessage = 2000;

void writeStandardOutput(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    throw Failure("cannot write standard output");
  }
}

std::vector<PlotText> loadTexts(const std::vector<std::string>& inputs) {
  // Two spellings of one file would draw one text twice under two names.
  std::vector<ProfileRun> runs = loadProfileRuns(inputs);
  const std::vector<std::string> names = textNames(inputs);
  std::vector<PlotText> texts;
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    texts.push_back({names[i], std::move(runs[i])});
    for (const std::string& path : olderCompanions(texts.back().run)) {
      std::cerr << util::printable("tokshuf-plot: warning: " + path + " is older than " +
                                       inputs[i] + "; it may be left from an earlier run",
                                   kLongestMessage)
                << '\n';
    }
  }
  return texts;
}

// The whole picture in memory: nothing reaches the output unless all of
// it could be drawn.
std::string drawPicture(const PlotOptions& options, const std::vector<PlotText>& texts) {
  std::ostringstream svg;
  // A stream swallows a failed allocation and just stops writing; it must
  // throw instead, or a cut-off picture would pass for a whole one.
  svg.exceptions(std::ios::badbit | std::ios::failbit);
  if (options.plane) {
    writePlaneSvg(svg, texts, *options.plane);
  } else {
    writeGridSvg(svg, texts, options.relative);
  }
  return std::move(svg).str();
}

// The picture goes to a temporary file beside the target and replaces it
// only when complete; no input (nor a companion of one) may be the target.
void writePicture(const std::string& svg, const PlotOptions& options) {
  if (options.output == "-") {
    writeStandardOutput(svg);
    return;
  }
  util::OutputSet outputs;
  for (const std::string& input : options.inputs) {
    outputs.protect(input);
    for (const char* extension : kCompanionExtensions) {
      if (auto companion = companionPath(input, extension)) outputs.protect(*companion);
    }
  }
  const int index = outputs.add(options.output);
  std::FILE* file = outputs.stream(index);
  if (std::fwrite(svg.data(), 1, svg.size(), file) != svg.size()) {
    throw util::OutputError(util::OutputError::Kind::kCannotWrite, options.output, errno);
  }
  outputs.commit();
}

std::string whatWasDrawn(const PlotOptions& options, const std::vector<PlotText>& texts) {
  const std::string what =
      texts.size() == 1 ? std::to_string(texts[0].run.observed.rows.size()) +
                              (texts[0].run.observed.rows.size() == 1 ? " chunk" : " chunks")
                        : std::to_string(texts.size()) + " texts";
  if (options.plane) {
    return std::string(tokshuf::schema::measureLabel(options.plane->yColumn)) + " against " +
           tokshuf::schema::measureLabel(options.plane->xColumn) + ", " + what;
  }
  const std::size_t panels = panelMeasures(texts).size();
  return std::to_string(panels) + (panels == 1 ? " panel, " : " panels, ") + what;
}

// The plane's measures must be columns of every text: a path needs both
// coordinates at every chunk.
void checkPlaneMeasures(const PlaneAxes& plane, const std::vector<PlotText>& texts) {
  for (const PlotText& text : texts) {
    for (int measure : {plane.xColumn, plane.yColumn}) {
      if (text.run.observed.has(measure)) continue;
      throw Failure(util::printable(text.run.observed.path) + ":1: no column " +
                    tokshuf::schema::measureLabel(measure) + ", which --plane needs");
    }
  }
}

void run(const PlotOptions& options) {
  // Everything is read and checked before the output is created, so a
  // bad companion file never leaves a half-written picture behind.
  const std::vector<PlotText> texts = loadTexts(options.inputs);
  if (options.plane) checkPlaneMeasures(*options.plane, texts);
  writePicture(drawPicture(options, texts), options);
  std::cerr << util::printable("Wrote " +
                                   (options.output == "-" ? "standard output" : options.output) +
                                   " (" + whatWasDrawn(options, texts) + ")",
                               kLongestMessage)
            << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  util::ensureStandardDescriptors();
  // Beyond a file size limit a write fails with EFBIG and is reported,
  // instead of the signal ending the program without a word.
  std::signal(SIGXFSZ, SIG_IGN);
  try {
    const PlotOptions options =
        parsePlotOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (options.showHelp) {
      writeStandardOutput(kPlotUsage);
    } else if (options.showVersion) {
      writeStandardOutput(std::string("tokshuf-plot ") + util::kVersion + "\n");
    } else {
      run(options);
    }
    return 0;
  } catch (const std::bad_alloc&) {
    std::cerr << "tokshuf-plot: out of memory\n";
  } catch (const std::exception& e) {
    std::cerr << "tokshuf-plot: " << util::printable(e.what(), kLongestMessage) << '\n';
  }
  return 1;
}
