#include "verses/mSharedBookDefine.h"

#include <array>

#include "core/Conversions.h"

namespace vw::mSharedBookDefine {
namespace {

constexpr std::array<const char*, 66> kBookNames = {
    "Genesis",
    "Exodus",
    "Leviticus",
    "Numbers",
    "Deuteronomy",
    "Joshua",
    "Judges",
    "Ruth",
    "1 Samuel",
    "2 Samuel",
    "1 Kings",
    "2 Kings",
    "1 Chronicles",
    "2 Chronicles",
    "Ezra",
    "Nehemiah",
    "Esther",
    "Job",
    "Psalms",
    "Proverbs",
    "Ecclesiastes",
    "Song of Solomon",
    "Isaiah",
    "Jeremiah",
    "Lamentations",
    "Ezekiel",
    "Daniel",
    "Hosea",
    "Joel",
    "Amos",
    "Obadiah",
    "Jonah",
    "Micah",
    "Nahum",
    "Habakkuk",
    "Zephaniah",
    "Haggai",
    "Zechariah",
    "Malachi",
    "Matthew",
    "Mark",
    "Luke",
    "John",
    "Acts of the Apostles",
    "Romans",
    "1 Corinthians",
    "2 Corinthians",
    "Galatians",
    "Ephesians",
    "Philippians",
    "Colossians",
    "1 Thessalonians",
    "2 Thessalonians",
    "1 Timothy",
    "2 Timothy",
    "Titus",
    "Philemon",
    "Hebrews",
    "James",
    "1 Peter",
    "2 Peter",
    "1 John",
    "2 John",
    "3 John",
    "Jude",
    "Revelation",
};

}  // namespace

std::string BookName(const std::int16_t& book) {
  if (book < 1 || book > static_cast<int>(kBookNames.size())) return std::string();
  return kBookNames[static_cast<std::size_t>(book - 1)];
}

std::string ReferenceLine(const VerseRecord& record) {
  return BookName(record.Book) + " " + DecimalText(record.Chapter) + ":" +
         DecimalText(record.Verse);
}

std::string VerseText(const VerseRecord& record) {
  return TrimSpaces(record.Text);
}

}  // namespace vw::mSharedBookDefine
