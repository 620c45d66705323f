#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "rank/corpus.h"

namespace tokshuf::rank {

// A document id as a file name that cannot leave its directory, hide
// itself or confuse a shell: letters, digits (any script), ".", "-" and
// "_" stay; every other byte, "%" and a leading "." are written as %XX, so
// that different ids keep different names. Ids longer than a file name may
// be are cut, at a character boundary.
std::string safeFileName(std::string_view id);

// The ranked-token file of every document, in directory: its id made safe
// plus ".zvc", or its number in the input (from 1) when it has no id.
// Throws std::runtime_error when two documents would get the same file.
// inputName is used only in messages.
std::vector<std::string> documentFiles(const std::vector<Document>& documents,
                                       const std::string& directory, const std::string& inputName);

}  // namespace tokshuf::rank
