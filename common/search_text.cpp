// The search's folding table and word finding, over Windows-1252 bytes. The
// search runs over every stored quote at each keystroke, so where the
// processor has AVX2 the finding looks at 32 bytes at a time.
#include "common/search_text.h"

#include <array>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define SEARCH_WITH_AVX2 1
#endif

namespace {

// The byte each letter folds to: capitals to small letters, accented letters
// and ñ, ç to their plain letter (á, Á, à, ä → a; ñ, Ñ → n; ü → u; ª → a,
// º → o). Every other byte is itself.
std::array<unsigned char, 256> BuildFoldTable() {
  std::array<unsigned char, 256> table{};
  for (int byte = 0; byte < 256; ++byte) table[byte] = static_cast<unsigned char>(byte);
  for (int byte = 'A'; byte <= 'Z'; ++byte) table[byte] = static_cast<unsigned char>(byte + 32);
  // Each run of Windows-1252 capitals and small letters and the plain
  // letter it folds to.
  struct Run {
    unsigned char first, last, letter;
  };
  const Run runs[] = {
      {0xC0, 0xC5, 'a'}, {0xE0, 0xE5, 'a'}, {0xAA, 0xAA, 'a'}, {0xC7, 0xC7, 'c'},
      {0xE7, 0xE7, 'c'}, {0xC8, 0xCB, 'e'}, {0xE8, 0xEB, 'e'}, {0xCC, 0xCF, 'i'},
      {0xEC, 0xEF, 'i'}, {0xD1, 0xD1, 'n'}, {0xF1, 0xF1, 'n'}, {0xD2, 0xD6, 'o'},
      {0xF2, 0xF6, 'o'}, {0xD8, 0xD8, 'o'}, {0xF8, 0xF8, 'o'}, {0xBA, 0xBA, 'o'},
      {0xD9, 0xDC, 'u'}, {0xF9, 0xFC, 'u'}, {0xDD, 0xDD, 'y'}, {0xFD, 0xFD, 'y'},
      {0xFF, 0xFF, 'y'}, {0x9F, 0x9F, 'y'}, {0x8A, 0x8A, 's'}, {0x9A, 0x9A, 's'},
      {0x8E, 0x8E, 'z'}, {0x9E, 0x9E, 'z'}, {0xC6, 0xC6, 0xE6}, {0xD0, 0xD0, 0xF0},
      {0xDE, 0xDE, 0xFE}, {0x8C, 0x8C, 0x9C}};
  for (const Run& run : runs) {
    for (int byte = run.first; byte <= run.last; ++byte) table[byte] = run.letter;
  }
  return table;
}

const std::array<unsigned char, 256> kFold = BuildFoldTable();

unsigned char Fold(char byte) { return kFold[static_cast<unsigned char>(byte)]; }

// Whether the word starts at `at`, with `room` bytes of the field left. A
// zero byte ends the match, as no word holds one.
bool FoldsToWordAt(const char* at, std::size_t room, const std::string& word) {
  if (word.size() > room) return false;
  for (std::size_t k = 0; k < word.size(); ++k) {
    if (Fold(at[k]) != static_cast<unsigned char>(word[k])) return false;
  }
  return true;
}

#ifdef SEARCH_WITH_AVX2
// A byte can fold to a letter of the word only if it equals it once both are
// put in small letters by the ASCII rule (setting 0x20), or if it is above
// 127 (an accented letter). The places where both the word's first and
// second letters could stand (any place, for a word of one letter) are the
// only ones checked byte by byte, and only those before the text's end.
template <bool kOneLetter>
__attribute__((target("avx2,bmi"))) bool FieldsHoldWordAvx2(const SearchField* fields,
                                                            std::size_t count,
                                                            const std::string& word) {
  const __m256i caseBit = _mm256_set1_epi8(0x20);
  const __m256i first = _mm256_set1_epi8(static_cast<char>(word[0] | 0x20));
  const __m256i second = _mm256_set1_epi8(static_cast<char>(kOneLetter ? 0 : word[1] | 0x20));
  for (std::size_t f = 0; f < count; ++f) {
    const char* text = fields[f].bytes;
    const std::size_t width = fields[f].width;
    std::size_t at = 0;
    uint32_t ends = 0;
    for (; ends == 0 && at + 33 <= width; at += 32) {
      __m256i here = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(text + at));
      __m256i fits =
          _mm256_or_si256(_mm256_cmpeq_epi8(_mm256_or_si256(here, caseBit), first), here);
      if (!kOneLetter) {
        __m256i next = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(text + at + 1));
        fits = _mm256_and_si256(
            fits, _mm256_or_si256(_mm256_cmpeq_epi8(_mm256_or_si256(next, caseBit), second), next));
      }
      auto places = static_cast<uint32_t>(_mm256_movemask_epi8(fits));
      ends = static_cast<uint32_t>(
          _mm256_movemask_epi8(_mm256_cmpeq_epi8(here, _mm256_setzero_si256())));
      places &= _blsmsk_u32(ends);  // up to the first zero byte; all when there is none
      for (; places != 0; places = _blsr_u32(places)) {
        std::size_t place = at + static_cast<std::size_t>(_tzcnt_u32(places));
        if (FoldsToWordAt(text + place, width - place, word)) return true;
      }
    }
    if (ends == 0 && FieldHoldsWordByteByByte({text + at, width - at}, word)) return true;
  }
  return false;
}

bool HasAvx2() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") != 0 && __builtin_cpu_supports("bmi") != 0;
}
const bool kHasAvx2 = HasAvx2();
#endif

}  // namespace

std::vector<std::string> SearchWords(const std::string& typed) {
  std::vector<std::string> words;
  std::string word;
  for (char byte : typed) {
    if (byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n') {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word += static_cast<char>(Fold(byte));
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

bool FieldHoldsWordByteByByte(const SearchField& field, const std::string& word) {
  for (std::size_t at = 0; at < field.width && field.bytes[at] != '\0'; ++at) {
    if (FoldsToWordAt(field.bytes + at, field.width - at, word)) return true;
  }
  return false;
}

bool FieldsHoldWord(const SearchField* fields, std::size_t count, const std::string& word) {
#ifdef SEARCH_WITH_AVX2
  if (kHasAvx2) {
    return word.size() == 1 ? FieldsHoldWordAvx2<true>(fields, count, word)
                            : FieldsHoldWordAvx2<false>(fields, count, word);
  }
#endif
  for (std::size_t f = 0; f < count; ++f) {
    if (FieldHoldsWordByteByByte(fields[f], word)) return true;
  }
  return false;
}
