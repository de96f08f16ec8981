// The one failure the picture pipeline raises: a message a user can act on, naming the file.
#pragma once

#include <stdexcept>
#include <string>

namespace suite::media {

class MediaError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace suite::media
