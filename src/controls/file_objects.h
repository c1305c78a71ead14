#pragma once

#include <array>
#include <string_view>

#include "controls/control_properties.h"
#include "screen/pobject.h"

// File work without drawing: transferring a file to or from the panel server, writing texts
// to a dump file, and copying a file under a named lock shared with other programs.
namespace file_properties {

inline constexpr std::u16string_view kFile = u"File";

inline constexpr std::array kCopyEntries = {
    Prop(kFile, u"SourceFile", PT_STRING, u""),
    Prop(kFile, u"DestinationFile", PT_STRING, u""),
    Prop(kFile, u"Overwrite", PT_BOOL, u"F"),
};

inline constexpr std::array kTransferEntries = {
    Prop(kFile, u"Direction", PT_ENUM, u"DOWNLOAD", u"DOWNLOAD,UPLOAD"),
};

// "MaxFileSize" in bytes; 0: no limit.
inline constexpr std::array kDumpEntries = {
    Prop(kFile, u"DumpFile", PT_STRING, u""),
    Prop(kFile, u"Append", PT_BOOL, u"T"),
    Prop(kFile, u"Encoding", PT_ENUM, u"UTF-8", u"UTF-8,UTF-16,ANSI"),
    Prop(kFile, u"MaxFileSize", PT_INTEGER, u"0", u",0"),
};

inline constexpr std::array kMutexEntries = {
    Prop(kFile, u"MutexName", PT_STRING, u""),
    Prop(kFile, u"TimeOut", PT_INTEGER, u"5000", u",0"),  // milliseconds to wait for the lock
};

inline constexpr std::array kFileEvents = {
    EventInfo{control_properties::kControl, u"OnFileDone", u"bSuccess,msg"},
};

}  // namespace file_properties

class CNPFileTransfer : public CNObjectClass<CNPFileTransfer, CNPObject> {
 public:
  static constexpr std::u16string_view kClassId = u"FileTransfer";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      file_properties::kCopyEntries, file_properties::kTransferEntries);
  static constexpr auto kEvents = control_properties::WithCommonEvents(file_properties::kFileEvents);
};

class CNPTextDump : public CNObjectClass<CNPTextDump, CNPObject> {
 public:
  static constexpr std::u16string_view kClassId = u"TextDump";
  static constexpr auto kProperties = control_properties::WithCommonProperties(file_properties::kDumpEntries);
  static constexpr auto kEvents = common_properties::kCommonEvents;
};

class CNPCopyFileWithMutex : public CNObjectClass<CNPCopyFileWithMutex, CNPObject> {
 public:
  static constexpr std::u16string_view kClassId = u"CopyFileWithMutex";
  static constexpr auto kProperties =
      control_properties::WithCommonProperties(file_properties::kCopyEntries, file_properties::kMutexEntries);
  static constexpr auto kEvents = control_properties::WithCommonEvents(file_properties::kFileEvents);
};
