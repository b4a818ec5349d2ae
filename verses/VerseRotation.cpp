#include "verses/VerseRotation.h"

#include "core/Conversions.h"
#include "core/Settings.h"
#include "verses/mSharedBookDefine.h"

namespace vw {
namespace {

constexpr std::int32_t kStartIntervalMs = 100;

bool InDisplay(std::int32_t topicValue, std::int32_t display) {
  return (topicValue & display) != 0;
}

}  // namespace

VerseRotation::VerseRotation(ProgramState& program, ITimer& timNextVerse)
    : program_(program), timNextVerse_(timNextVerse), verseFile_(program.VerseBuffer) {}

void VerseRotation::BuildTopicLists() {
  vw::BuildTopicLists(lists_);
}

bool VerseRotation::OpenVerseFile(const std::string& programFolder) {
  std::string path = programFolder;
  if (path.empty() || (path.back() != '\\' && path.back() != '/')) path += '\\';
  path += "kjv.dat";
  if (!FileExists(path)) return false;

  verseFile_.FileName(path);
  verseFile_.Key("iBook");
  std::int32_t recordLength = kVerseRecordLength;
  verseFile_.OpenFile(recordLength);
  verseFile_.MoveFirst();
  return true;
}

std::int32_t VerseRotation::NextSection() {
  SettingsRecord& settings = program_.Settings;
  TopicPosition = 0;

  const TopicTable& topics = program_.Topics;
  const TopicEntry* taken = nullptr;
  for (int pos = 1; pos <= topics.Count() && !taken; ++pos) {
    const TopicEntry& topic = topics.At(pos);
    if (InDisplay(topic.Value, settings.Display) && topic.Value > settings.LastSection)
      taken = &topic;
  }
  // After the last enabled topic the rotation starts again with the first.
  for (int pos = 1; pos <= topics.Count() && !taken; ++pos) {
    const TopicEntry& topic = topics.At(pos);
    if (InDisplay(topic.Value, settings.Display)) taken = &topic;
  }

  if (!taken) {
    settings.LastSection = 0;
    return 0;  // no record has number 0, so the fetch fails
  }
  settings.LastSection = taken->Value;
  if (taken->Value == kAllVerses) return 1;
  const TopicList* list = lists_.ListFor(taken->Value);
  if (!list || list->Count() == 0) return 0;
  TopicPosition = 1;
  return list->Entry(1);
}

void VerseRotation::NextVerse(std::string& reference, std::string& text) {
  reference.clear();
  text.clear();
  SettingsRecord& settings = program_.Settings;

  std::int32_t r = 0;
  if (!InDisplay(settings.LastSection, settings.Display)) {
    r = NextSection();
  } else if (settings.LastSection == kAllVerses) {
    r = settings.LastVerse;
  } else {
    // A value such as 3 is no single topic: it has no list, so the topic is used up.
    const TopicList* list = lists_.ListFor(settings.LastSection);
    const int count = list ? list->Count() : 0;
    const std::int32_t position = static_cast<std::int32_t>(TopicPosition) + 1;
    if (position > count) {
      r = NextSection();
    } else {
      TopicPosition = static_cast<std::int16_t>(position);
      r = position >= 1 ? list->Entry(position) : 0;
    }
  }

  verseFile_.FetchRecord(r);
  if (verseFile_.NoMatch()) {
    r = NextSection();
    verseFile_.FetchRecord(r);  // if this fails too, the verse in the buffer is shown again
  }

  reference = mSharedBookDefine::ReferenceLine(program_.VerseBuffer);
  text = mSharedBookDefine::VerseText(program_.VerseBuffer);
  settings.LastVerse = r < INT32_MAX ? r + 1 : r;

  if (const TopicEntry* topic = program_.Topics.FindByValue(settings.LastSection))
    TopicTitle = topic->Title;
}

void VerseRotation::timNextVerse_Timer() {
  const std::int32_t wanted = program_.Settings.ChangeIntervalMs();
  if (timNextVerse_.Interval() != wanted) {
    // The first tick after Go only presents the verse chosen at load.
    timNextVerse_.SetInterval(wanted);
  } else {
    NextVerse(program_.CurrentReference, program_.CurrentVerseText);
  }
  // The growth animation enables the timer again once the verse is at full size.
  timNextVerse_.SetEnabled(false);
}

void VerseRotation::Go() {
  timNextVerse_.SetInterval(kStartIntervalMs);
  timNextVerse_.SetEnabled(true);
}

void VerseRotation::RestorePosition() {
  const SettingsRecord& settings = program_.Settings;
  if (settings.LastSection == kAllVerses) return;
  // A position that is no list position (only possible by editing the store) starts the
  // topic from its first entry.
  const std::int32_t saved = settings.LastVerse;
  TopicPosition = (saved >= 0 && saved <= INT16_MAX) ? static_cast<std::int16_t>(saved) : 0;
}

void VerseRotation::SavePosition(ISettingsStore& store) {
  const SettingsRecord& settings = program_.Settings;
  SaveSetting(store, kSettingsSection, "LastSection", DecimalText(settings.LastSection));
  std::int32_t lastVerse = 0;
  if (settings.LastSection != kAllVerses) {
    lastVerse = TopicPosition;
  } else if (verseFile_.GetCurrentRecord() != 0) {
    lastVerse = verseFile_.GetCurrentRecord();
  } else {
    // kjv.dat was never opened: keep the place the run started from.
    lastVerse = settings.LastVerse;
  }
  SaveSetting(store, kSettingsSection, "LastVerse", DecimalText(lastVerse));
}

void VerseRotation::CloseVerseFile() {
  verseFile_.CloseTable();
}

std::int32_t VerseRotation::GetCurrentRecord() const {
  return verseFile_.GetCurrentRecord();
}

}  // namespace vw
