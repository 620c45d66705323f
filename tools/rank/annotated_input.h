#pragma once

#include <string>

#include "rank/annotation_options.h"
#include "rank/corpus_builder.h"
#include "rank/input_lines.h"
#include "rank/tag_set.h"

namespace tokshuf::rank {

// What the parsers of the annotation formats share: the input's lines, the
// options, the tags to leave out and the corpus being built.
struct AnnotatedInput {
  AnnotatedInput(InputPieces& input, const AnnotationOptions& options)
      : lines(input),
        options(options),
        drop(options.drop),
        builder(options.splitDocuments, options.keepCase) {}

  // Throws InputError naming the file and the line read last.
  [[noreturn]] void fail(const std::string& what) const { throw InputError(lines.at(what)); }

  InputLines lines;
  const AnnotationOptions& options;
  TagSet drop;
  CorpusBuilder builder;
};

}  // namespace tokshuf::rank
