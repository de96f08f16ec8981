// The outbox folder the mail service writes into: safe file names for messages, messages
// written whole or not at all, and the copies of the attachments a compose window is given.
#pragma once

#include <ctime>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/windef.h"

namespace suite::mail {

// What went wrong in the outbox, as the Win32 error the mail service reports.
class OutboxError : public std::runtime_error {
 public:
  OutboxError(const std::string& what, DWORD error) : std::runtime_error(what), error_(error) {}
  DWORD error() const noexcept { return error_; }

 private:
  DWORD error_;
};

// The Win32 error for what a POSIX call reported in errno.
DWORD win32_error_of(int error_number);

// $XDG_DATA_HOME/zozed/outbox, else ~/.local/share/zozed/outbox.
std::filesystem::path default_outbox();

// `text` as part of a file name: valid UTF-8 of at most `max_bytes` bytes, cut between
// characters, with path separators, control characters and the characters other systems
// refuse in names (\ : * ? " < > |) as '_', and no trailing dots or spaces.
std::string file_name_part(std::string_view text, std::size_t max_bytes);

// "2026-12-05 201500 Subject" for a message written at `when`.
std::string message_stem(std::string_view subject, const std::tm& when);

// Writes `message` as "<stem>.eml" in `folder` (made when missing), or "<stem> (2).eml" and so
// on when the name or the folder beside it is taken: through a temporary file in the same
// folder, flushed to disk and renamed into place without replacing anything, so that the
// message is there whole or not at all. Throws OutboxError.
std::filesystem::path write_message(const std::filesystem::path& folder, std::string_view stem,
                                    const std::string& message);

// Copies the files into the new folder `into`, keeping their names ("a (2).jpg" when two share
// one), and answers the copies in order. On failure removes what it made and throws OutboxError.
std::vector<std::string> copy_attachments(const std::filesystem::path& into, const std::vector<std::string>& files);

}  // namespace suite::mail
