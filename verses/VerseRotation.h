#pragma once
#include <cstdint>
#include <string>

#include "app/ProgramState.h"
#include "core/SettingsStore.h"
#include "core/Timer.h"
#include "verses/CTypeRFA.h"
#include "verses/TopicLists.h"

namespace vw {

// Chooses the verse to show next and when: every record of kjv.dat in order ("AllVerses")
// or the list of a topic, moving on to the next enabled topic (the "Display" setting) when
// one is used up. The current topic and the place reached are program.Settings.LastSection
// and LastVerse (for "AllVerses") or TopicPosition (for a topic).
class VerseRotation {
 public:
  VerseRotation(ProgramState& program, ITimer& timNextVerse);

  void BuildTopicLists();
  // Locates kjv.dat in programFolder; false when it is not there (the caller unloads).
  // Otherwise opens it and fetches record 1.
  bool OpenVerseFile(const std::string& programFolder);
  // Fetches the next verse; `reference` gets its reference line, `text` its trimmed text.
  void NextVerse(std::string& reference, std::string& text);
  // Switches LastSection to the next enabled topic and answers that topic's first record
  // (0 when no topic is enabled).
  std::int32_t NextSection();

  // The timNextVerse tick up to the hand-over: the caller then runs SetupChars and
  // DrawVerse(1).
  void timNextVerse_Timer();
  // Starts the rotation: the first tick comes after 100 ms.
  void Go();

  // At load, after the settings are read: a topic resumes after the entry saved.
  void RestorePosition();
  // At unload: "LastSection", then "LastVerse".
  void SavePosition(ISettingsStore& store);
  void CloseVerseFile();
  std::int32_t GetCurrentRecord() const;

  // The open kjv.dat, for measuring reads.
  const CTypeRFA& VerseFile() const { return verseFile_; }
  const TopicLists& Lists() const { return lists_; }

  std::int16_t TopicPosition = 0;
  std::string TopicTitle;

 private:
  ProgramState& program_;
  ITimer& timNextVerse_;
  TopicLists lists_;
  CTypeRFA verseFile_;
};

}  // namespace vw
