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
  std::string sender = {};          // "Name <address>" or "address"; empty: no From header
};

// A file that cannot be read into the message; `error_number` is the errno of the failure.
class MailError : public std::runtime_error {
 public:
  MailError(const std::string& what, int error_number) : std::runtime_error(what), error_number_(error_number) {}
  int error_number() const noexcept { return error_number_; }

 private:
  int error_number_;
};

// The message in RFC 5322 form with CRLF line ends, marked unsent so that a mail program opens
// it as a draft. Throws MailError naming the file when an attachment cannot be read.
std::string compose_message(const MailContent& content);

// The MIME type the suite gives a file by its extension ("application/octet-stream" when unknown).
std::string mime_type_of(const std::string& path);

}  // namespace suite::mail
