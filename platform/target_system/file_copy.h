#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

#include "platform/target_system/status.h"

namespace platform::target {

// Copies the whole content of the open file in to the open, empty file out
// by the kernel: a reflink where the file system offers one, else
// copy_file_range, else reads and writes through a small buffer. Memory
// stays bounded whatever the size. what names the source in messages.
Status CopyFileData(int in, int out, off_t size, const std::string& what);

// Reads what remains of an open file into data.
Status ReadAll(int fd, std::string* data, const std::string& what);
// Writes all of data.
Status WriteAll(int fd, std::string_view data, const std::string& what);

}  // namespace platform::target
