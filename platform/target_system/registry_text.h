#pragma once

#include <string>
#include <string_view>

#include "platform/target_system/registry.h"
#include "platform/target_system/registry_batch.h"
#include "platform/target_system/status.h"

namespace platform::target {

// The registry editor's text form ("Windows Registry Editor Version 5.00"),
// written as UTF-8 with CRLF line ends:
//   [HKEY_LOCAL_MACHINE\Software\X]      one section per key, parents first
//   @="text"                             the unnamed value
//   "name"="a \"quoted\" \\ text"        strings, with \\ and \" escapes
//   "n"=dword:0000002a                   32-bit integers
//   "b"=hex:01,02                        binary
//   "e"=hex(2):41,00,00,00               expand-string text as UTF-16LE with its NUL
//   "m"=hex(7):61,00,00,00,00,00         multi-string texts as UTF-16LE
//   "q"=hex(b):01,00,00,00,00,00,00,00   any other type, by its number
// A string holding a line break or NUL is written as hex(1) with its UTF-16LE
// bytes, so that every value survives the round trip.

// Exports the key with all its subkeys (a whole root for the empty path),
// each key read once, so the time grows with the size of the tree.
Status ExportRegistryText(Registry& registry, RegistryRoot root, std::string_view key, std::string* text);

// The bytes of a ".reg" file for exported text, as the registry editor
// writes and reads them: UTF-16LE behind its byte-order mark.
std::string RegistryFileBytes(std::string_view text);

// Reads a whole file's bytes: UTF-8 (with or without a byte-order mark) or
// UTF-16LE with its byte-order mark; "REGEDIT4" files are read as code page
// 932. Besides the forms above it accepts [-KEY] (delete the key tree),
// "name"=- (delete the value), ';' comment lines, hex lists continued on the
// next line with a trailing backslash, and the short root names (HKLM …).
// A malformed file gives InvalidArgument with a message that begins with
// "line N: " (also for a key name or depth the registry refuses); the batch
// then holds nothing.
Status ParseRegistryText(std::string_view bytes, RegistryBatch* batch);

// Parses the whole file first and applies it in one transaction: a malformed
// file changes nothing.
Status ImportRegistryText(Registry& registry, std::string_view bytes);

}  // namespace platform::target
