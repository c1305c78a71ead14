#pragma once

#include <array>
#include <string_view>

#include "controls/control_properties.h"
#include "screen/pobject.h"

// Sound output without drawing: a sound file player and a text-to-speech voice.
namespace media_properties {

inline constexpr std::u16string_view kSound = u"Sound";
inline constexpr std::u16string_view kSpeech = u"Speech";

inline constexpr std::array kSoundEntries = {
    Prop(kSound, u"SoundFile", PT_FILE, u"", u"Sound Files (*.wav)|*.wav|All Files (*.*)|*.*||"),
    Prop(kSound, u"Loop", PT_BOOL, u"F"),
};

inline constexpr std::array kSpeechEntries = {
    Prop(kSpeech, u"Text", PT_TEXT, u""),
    Prop(kSpeech, u"Voice", PT_STRING, u""),  // "": the system's default voice
    Prop(kSpeech, u"Rate", PT_INTEGER, u"0", u"10,-10"),
};

// Percent of full volume.
constexpr std::array<PropertyEntry, 1> VolumeEntries(std::u16string_view group) {
  return {Prop(group, u"Volume", PT_INTEGER, u"100", u"100,0")};
}

inline constexpr std::array kPlayEvents = {
    EventInfo{control_properties::kControl, u"OnPlayDone", u""},
};

}  // namespace media_properties

class CNPSound : public CNObjectClass<CNPSound, CNPObject> {
 public:
  static constexpr std::u16string_view kClassId = u"Sound";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      media_properties::kSoundEntries, media_properties::VolumeEntries(media_properties::kSound));
  static constexpr auto kEvents = control_properties::WithCommonEvents(media_properties::kPlayEvents);
};

class CNPSpeech : public CNObjectClass<CNPSpeech, CNPObject> {
 public:
  static constexpr std::u16string_view kClassId = u"Speech";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      media_properties::kSpeechEntries, media_properties::VolumeEntries(media_properties::kSpeech));
  static constexpr auto kEvents = control_properties::WithCommonEvents(media_properties::kPlayEvents);
};
