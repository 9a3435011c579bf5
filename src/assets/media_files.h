#pragma once

#include <array>

// The sound and video files of the game, as literals appended to the data folder. The
// generators write these files and the game plays them: this is their one home.
namespace kvz::media {

inline constexpr const char* kMusic = "\\snd\\bgm.wav";        // WMP1, looping
inline constexpr const char* kVideo = "\\snd\\odpocet.avi";    // WMP3, the phone countdown
inline constexpr const char* kMenuSound = "\\snd\\lights.wav"; // the start menu's new game

// Effects, played on WMP2.
inline constexpr const char* kSoundRight = "\\snd\\r.wav";
inline constexpr const char* kSoundWrong = "\\snd\\w.wav";
inline constexpr const char* kSoundTop = "\\snd\\pt.wav";
inline constexpr const char* kSound5050 = "\\snd\\50-50.wav";
inline constexpr const char* kSoundPoll = "\\snd\\div.wav";
inline constexpr const char* kSoundPhone = "\\snd\\tel.wav";
inline constexpr const char* kSoundPhoneEnd = "\\snd\\tel-end.wav";

// Every effect, loaded ahead of time by the effect player.
inline constexpr std::array<const char*, 7> kEffects = {kSound5050, kSoundPoll,  kSoundPhone, kSoundPhoneEnd,
                                                        kSoundRight, kSoundWrong, kSoundTop};

}  // namespace kvz::media
