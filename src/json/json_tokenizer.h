#pragma once
// TJsonTokenizer: one run of the parser's state machine over UTF-16 text, with an
// explicit stack of 32 levels and no recursion. Without a root it parses JSON (parse
// mode); with a root it evaluates a member path against that root (path mode).

#include "json/json_handle.h"
#include "json/json_text_buffer.h"

#include <cstddef>
#include <cstdint>
#include <new>
#include <string>
#include <string_view>

namespace melvanto {

class TJsonValue;

enum class JsonParseState : uint8_t {
    SkipSpace,
    CommentOpen,
    BlockComment,
    BlockCommentStar,
    LineComment,
    ValueStart,
    NullWord,
    BooleanWord,
    QuotedString,
    Escape,
    EscapeHex4,
    EscapeHex2,
    Bareword,
    NumberText,
    ArrayItem,
    ArrayItemDone,
    ArrayComma,
    MemberStart,
    QuotedName,
    BareName,
    NameDone,
    MemberValue,
    MemberValueDone,
    MemberComma,
    Finished,
    PathMember,
    PathIndex,
    IndexValue,
    IndexDone,
};

// Why a run ended without a value.
enum class JsonParseFailure : uint8_t {
    None,
    Depth,
    EndOfText,
    Comment,
    String,
    Array,
    MemberName,
    NameSeparator,
    ValueSeparator,
    PathObject,
    PathArray,
    PathIndex,
    PathCall,
};

struct TJsonParseLevel {
    JsonParseState state = JsonParseState::SkipSpace;
    JsonParseState resume = JsonParseState::ValueStart;
    // The container being filled, or the value just read.
    IJsonValue current;
    std::u16string pendingName;
    // Path mode: the index read between brackets, waiting to be applied.
    IJsonValue indexOperand;
    bool hasIndexOperand = false;

    void Reset() noexcept;
};

class TJsonTokenizer {
public:
    static constexpr int32_t kLevels = 32;

    // `root` null: parse mode. The root is only read; the run takes no reference to it.
    explicit TJsonTokenizer(const TJsonValue* root = nullptr) : m_root(root) {
        new (&m_levels[0]) TJsonParseLevel;
        m_built = 1;
    }
    TJsonTokenizer(const TJsonTokenizer&) = delete;
    TJsonTokenizer& operator=(const TJsonTokenizer&) = delete;
    ~TJsonTokenizer();

    // Runs the machine over `text` and its terminating U+0000; the value, or nil.
    // One run per tokenizer.
    IJsonValue Run(std::u16string_view text);
    JsonParseFailure Failure() const noexcept { return m_failure; }

private:
    // What a state did with the character: moved past it, or left it for the state it
    // switched to, or ended the run.
    enum class Step : uint8_t { Consume, Redo, Stop };

    Step dispatch(char16_t c);

    // Structure: whitespace and comments, containers, levels.
    Step onSkipSpace(char16_t c);
    Step onCommentOpen(char16_t c);
    Step onBlockComment(char16_t c);
    Step onBlockCommentStar(char16_t c);
    Step onLineComment(char16_t c);
    Step onValueStart(char16_t c);
    Step onArrayItem(char16_t c);
    Step onArrayItemDone(char16_t c);
    Step onArrayComma(char16_t c);
    Step onMemberStart(char16_t c);
    Step onNameDone(char16_t c);
    Step onMemberValueDone(char16_t c);
    Step onMemberComma(char16_t c);
    Step onFinished(char16_t c);
    Step descend(JsonParseState followUp, char16_t c);

    // Strings, names and escapes.
    Step onQuotedString(char16_t c);
    Step onQuotedName(char16_t c);
    Step onBareName(char16_t c);
    Step onEscape(char16_t c);
    Step onEscapeHex(char16_t c, int32_t digits);
    // State := Escape, coming back to `resume`.
    Step startEscape(JsonParseState resume) noexcept;

    // Words and barewords.
    Step onWord(char16_t c, bool boolean);
    Step onBareword(char16_t c);
    bool endsBareword(char16_t c) const noexcept;

    // Numbers.
    Step startNumber();
    Step onNumberText(char16_t c);
    IJsonValue makeNumber(std::u16string_view token) const;

    // Path mode.
    Step onPathBareword(char16_t c);
    Step onPathMember();
    Step onPathIndex();
    Step onIndexDone(char16_t c);

    // Current value := value, then skip space and finish the level.
    void finishWith(IJsonValue value) noexcept;
    // The character `c` comes to a level that skips space before `resume`: when it is no
    // space (nor the start of a comment), the level goes on to `resume` at once. These
    // shortcuts take the same steps as the main loop would, without a round through it.
    bool spaceSkipped(JsonParseState resume, char16_t c) noexcept;
    // After finishWith on `c`: the level may finish at once.
    Step finishedOn(char16_t c);
    Step fail(JsonParseFailure failure) noexcept;
    // Resume state := resume, state := SkipSpace; `step` says what becomes of the character.
    Step skipSpaceThen(JsonParseState resume, Step step) noexcept;

    TJsonParseLevel& level() noexcept { return levelAt(m_depth); }
    TJsonParseLevel& levelAt(int32_t depth) noexcept {
        return *std::launder(reinterpret_cast<TJsonParseLevel*>(&m_levels[depth]));
    }
    const TJsonParseLevel& levelAt(int32_t depth) const noexcept {
        return *std::launder(reinterpret_cast<const TJsonParseLevel*>(&m_levels[depth]));
    }
    bool pathMode() const noexcept { return m_root != nullptr; }
    bool atEnd() const noexcept { return m_position >= m_text.size(); }

    const TJsonValue* m_root;
    // The levels, each made when the parse first reaches it (most paths need one).
    struct alignas(TJsonParseLevel) LevelStorage {
        unsigned char bytes[sizeof(TJsonParseLevel)];
    };
    LevelStorage m_levels[kLevels];
    int32_t m_built = 0;
    int32_t m_depth = 0;
    IJsonValue m_child;
    TJsonTextBuffer m_accumulator;
    // Numbers: whether a fraction or exponent was seen, and the decimals counted
    // (-1: no longer counted). The token is the text from m_numberStart on.
    bool m_fraction = false;
    int32_t m_decimals = -1;
    size_t m_numberStart = 0;
    // Characters matched of null/true/false, or hex digits read of an escape.
    int32_t m_literalPosition = 0;
    uint16_t m_escape = 0;
    char16_t m_quote = u'"';
    JsonParseFailure m_failure = JsonParseFailure::None;
    std::u16string_view m_text;
    size_t m_position = 0;
};

} // namespace melvanto
