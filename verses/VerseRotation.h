#pragma once
#include <cstdint>
#include <string>

#include "core/Settings.h"
#include "core/SettingsStore.h"
#include "core/Verse.h"
#include "verses/CTypeRFA.h"
#include "verses/TopicLists.h"
#include "verses/TopicTable.h"
#include "verses/VerseRecord.h"

namespace vw {

// Chooses the verse to show next: every record of kjv.dat in order ("AllVerses") or the list
// of a topic, moving on to the next enabled topic (the "Display" setting) when one is used
// up. The current topic and the place reached are settings.LastSection and LastVerse (for
// "AllVerses") or TopicPosition (for a topic). Every fetch fills `verseBuffer`.
class VerseRotation {
 public:
  VerseRotation(SettingsRecord& settings, const TopicTable& topics, VerseRecord& verseBuffer);

  void BuildTopicLists();
  // Locates kjv.dat in programFolder; false when it is not there (the caller unloads).
  // Otherwise opens it and fetches record 1.
  bool OpenVerseFile(const std::string& programFolder);
  // Fetches the next verse and answers it with the title of its topic.
  Verse NextVerse();
  // Switches LastSection to the next enabled topic and answers that topic's first record
  // (0 when no topic is enabled).
  std::int32_t NextSection();

  // At load, after the settings are read: a topic resumes after the entry saved.
  void RestorePosition();
  // At unload: "LastSection", then "LastVerse".
  void SavePosition(ISettingsStore& store);
  void CloseVerseFile();
  std::int32_t GetCurrentRecord() const;

  // The open kjv.dat, for measuring reads.
  const CTypeRFA& VerseFile() const { return verseFile_; }
  const TopicLists& Lists() const { return lists_; }

 private:
  SettingsRecord& settings_;
  const TopicTable& topics_;
  VerseRecord& verseBuffer_;
  std::int16_t topicPosition_ = 0;
  // The title of the current topic; kept when no topic is enabled.
  std::string topicTitle_;
  TopicLists lists_;
  CTypeRFA verseFile_;
};

}  // namespace vw
