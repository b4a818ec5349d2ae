#include "verses/VerseRotation.h"

#include "core/Conversions.h"
#include "core/Settings.h"
#include "verses/mSharedBookDefine.h"

namespace vw {
namespace {

bool InDisplay(std::int32_t topicValue, std::int32_t display) {
  return (topicValue & display) != 0;
}

}  // namespace

VerseRotation::VerseRotation(SettingsRecord& settings, const TopicTable& topics,
                             VerseRecord& verseBuffer)
    : settings_(settings), topics_(topics), verseBuffer_(verseBuffer), verseFile_(verseBuffer) {}

void VerseRotation::BuildTopicLists() {
  vw::BuildTopicLists(lists_);
}

bool VerseRotation::OpenVerseFile(const std::string& programFolder) {
  std::string path = programFolder;
  if (path.empty() || (path.back() != '\\' && path.back() != '/')) path += '\\';
  path += "kjv.dat";
  if (!FileExists(path)) return false;

  verseFile_.FileName(path);
  std::int32_t recordLength = kVerseRecordLength;
  verseFile_.OpenFile(recordLength);
  verseFile_.MoveFirst();
  return true;
}

std::int32_t VerseRotation::NextSection() {
  SettingsRecord& settings = settings_;
  topicPosition_ = 0;

  const TopicTable& topics = topics_;
  const TopicRow* taken = nullptr;
  for (int pos = 1; pos <= topics.Count() && !taken; ++pos) {
    const TopicRow& topic = topics.At(pos);
    if (InDisplay(topic.Value, settings.Display) && topic.Value > settings.LastSection)
      taken = &topic;
  }
  // After the last enabled topic the rotation starts again with the first.
  for (int pos = 1; pos <= topics.Count() && !taken; ++pos) {
    const TopicRow& topic = topics.At(pos);
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
  topicPosition_ = 1;
  return list->Entry(1);
}

Verse VerseRotation::NextVerse() {
  SettingsRecord& settings = settings_;

  std::int32_t r = 0;
  if (!InDisplay(settings.LastSection, settings.Display)) {
    r = NextSection();
  } else if (settings.LastSection == kAllVerses) {
    r = settings.LastVerse;
  } else {
    // A value such as 3 is no single topic: it has no list, so the topic is used up.
    const TopicList* list = lists_.ListFor(settings.LastSection);
    const int count = list ? list->Count() : 0;
    const std::int32_t position = static_cast<std::int32_t>(topicPosition_) + 1;
    if (position > count) {
      r = NextSection();
    } else {
      topicPosition_ = static_cast<std::int16_t>(position);
      r = position >= 1 ? list->Entry(position) : 0;
    }
  }

  verseFile_.FetchRecord(r);
  if (verseFile_.NoMatch()) {
    r = NextSection();
    verseFile_.FetchRecord(r);  // if this fails too, the verse in the buffer is shown again
  }

  Verse verse;
  verse.Reference = mSharedBookDefine::ReferenceLine(verseBuffer_);
  verse.Text = mSharedBookDefine::VerseText(verseBuffer_);
  settings.LastVerse = r < INT32_MAX ? r + 1 : r;

  if (const TopicRow* topic = topics_.FindByValue(settings.LastSection))
    topicTitle_ = topic->Title;
  verse.Title = topicTitle_;
  return verse;
}

void VerseRotation::RestorePosition() {
  const SettingsRecord& settings = settings_;
  if (settings.LastSection == kAllVerses) return;
  // A position that is no list position (only possible by editing the store) starts the
  // topic from its first entry.
  const std::int32_t saved = settings.LastVerse;
  topicPosition_ = (saved >= 0 && saved <= INT16_MAX) ? static_cast<std::int16_t>(saved) : 0;
}

void VerseRotation::SavePosition(ISettingsStore& store) {
  const SettingsRecord& settings = settings_;
  SaveSetting(store, kLastSection, DecimalText(settings.LastSection));
  std::int32_t lastVerse = 0;
  if (settings.LastSection != kAllVerses) {
    lastVerse = topicPosition_;
  } else if (verseFile_.GetCurrentRecord() != 0) {
    lastVerse = verseFile_.GetCurrentRecord();
  } else {
    // kjv.dat was never opened: keep the place the run started from.
    lastVerse = settings.LastVerse;
  }
  SaveSetting(store, kLastVerse, DecimalText(lastVerse));
}

void VerseRotation::CloseVerseFile() {
  verseFile_.CloseTable();
}

std::int32_t VerseRotation::GetCurrentRecord() const {
  return verseFile_.GetCurrentRecord();
}

}  // namespace vw
