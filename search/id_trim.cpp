#include "search/id_trim.h"

#include <stdexcept>

#include "common/utf8.h"

namespace search {

std::string IDTRIM(const std::string& ID) {
  const std::size_t length = common::utf8Length(ID);
  if (length > kIdWidth) {
    throw std::invalid_argument("IDTRIM: the ID '" + ID + "' is longer than 12 characters");
  }
  return ID + std::string(kIdWidth - length, ' ');
}

}  // namespace search
