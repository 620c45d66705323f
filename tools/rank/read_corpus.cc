#include "rank/read_corpus.h"

#include "rank/conllu_reader.h"
#include "rank/text_reader.h"
#include "rank/vertical_reader.h"

namespace tokshuf::rank {

Corpus readCorpus(InputPieces& input, const RankOptions& options) {
  switch (options.format) {
    case InputFormat::kConllu:
      return readConllu(input, options.annotation);
    case InputFormat::kVertical:
      return readVertical(input, options.annotation);
    case InputFormat::kText:
      break;
  }
  return readText(input, options.segmenter);
}

}  // namespace tokshuf::rank
