// Composes the messages the suite's mail service writes: a real MIME message (GMime) with the
// files attached (multipart/mixed), or with the pictures shown inline in an HTML body
// (multipart/related, each picture referenced by "cid:").
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace suite::mail {

struct MailContent {
  std::string subject;              // UTF-8
  std::string body;                 // UTF-8 plain text
  std::vector<std::string> files;   // POSIX paths, in order
  bool embed_pictures = false;
};

// A file that cannot be read into the message.
class MailError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The message in RFC 5322 form, marked unsent so that a mail program opens it as a draft.
// Throws MailError naming the file when an attachment cannot be read.
std::string compose_message(const MailContent& content);

// The MIME type the suite gives a file by its extension ("application/octet-stream" when unknown).
std::string mime_type_of(const std::string& path);

}  // namespace suite::mail
