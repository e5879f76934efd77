// The layout of a document file: one compound file whose root holds
//   "Document"   the file's header: a mark, the format version, and where the recording is;
//   "Recording"  the recording's samples, events and selection when no file holds them;
//   "Modules"    a storage per module document, named by its class, with a stream per
//                persistent part ("Part0", "Part1", ...) as the part saves itself;
//   "ChildData"  the child data the modules attach to the data file that can store itself:
//                "Index" names the class of each, "Item<k>" holds what it saved;
//   "PlotRanges" the scale ranges module plots stored: a count, then per range the plot id,
//                the axis, the minimum and the maximum (a file without it has none);
//   "PersistMessages" the state messages modules sent to keep with the document
//                (persist_messages_stream.h; a file without it has none).
// Every stream begins with the storage stream header and its version.
#pragma once

#include <string>

#include "platform/win32/types.h"

namespace PendrelHost::DocumentFile {

constexpr DWORD kMark = 0x434F4450;  // "PDOC"
constexpr LONG kFormatVersion = 1;

enum RecordingPlace : DWORD {
  kRecordingInFile = 1,      // a file the host reads recordings from, by its path
  kRecordingInDocument = 2,  // the "Recording" stream
};

inline const char16_t* kDocumentStream = u"Document";
inline const char16_t* kRecordingStream = u"Recording";
inline const char16_t* kModulesStorage = u"Modules";
inline const char16_t* kChildDataStorage = u"ChildData";
inline const char16_t* kIndexStream = u"Index";
inline const char16_t* kPlotRangesStream = u"PlotRanges";
inline const char16_t* kPersistMessagesStream = u"PersistMessages";

inline std::u16string PartStreamName(DWORD part) {
  const std::string digits = std::to_string(part);
  return u"Part" + std::u16string(digits.begin(), digits.end());
}

inline std::u16string ItemStreamName(DWORD item) {
  const std::string digits = std::to_string(item);
  return u"Item" + std::u16string(digits.begin(), digits.end());
}

// A compound-file element name for a class name: at most 31 units, without the characters
// element names cannot hold.
inline std::u16string ElementName(std::u16string name) {
  for (char16_t& c : name) {
    if (c == u'/' || c == u'\\' || c == u':' || c == u'!') c = u'_';
  }
  if (name.size() > 31) name.resize(31);
  return name;
}

}  // namespace PendrelHost::DocumentFile
