#pragma once

// The two keys that scramble every line of the idiom companion file. The loader and the
// companion-file writer both read them from here: a file written with other keys cannot be
// read back, and every companion file already handed out depends on these digits.
//
// Each key is 396 decimal digits read as 198 two-digit numbers; number i of the first key and
// number i of the second key name the two character positions (1..99) that step i exchanges.
// Only steps 1..99 are used; number 0 and numbers 100..197 have no effect.
namespace IdiomKeys {

inline constexpr char kFirst[] =
    "465311771941701370079962396547221787059977825462022818075414318616"
    "344244404280383079607680587466882020714040440553655656359364686528"
    "068004556210581624050426118219100661896782129887505161786350900472"
    "866187872103925738138579729008414284765419191456581210080075675825"
    "856146997671572282103867600932861231964668650709170037564515415541"
    "203594765366755446351017925359891017108672546678504439123836107949";

inline constexpr char kSecond[] =
    "346150481555143385922880615833111495342733662031256984919839226029"
    "954210010235160855297339299319176253796238283106306926629037782129"
    "757712055387774772762982277972480402772881390423576936857905984119"
    "118518914563965087892383805166273178421298578871847331495899396526"
    "040050669696095338986973703598757744708476276142660797207153652554"
    "799613774591568645490101042190045023998997674435954809462659110097";

inline constexpr int kFirstStep = 1;
inline constexpr int kLastStep = 99;

// Number i (0..197) of a key.
constexpr int pair(const char* key, int i)
{
    return (key[2 * i] - '0') * 10 + (key[2 * i + 1] - '0');
}

// The largest position any step names: a stored line must be at least this long.
constexpr int largestPosition()
{
    int largest = 0;
    for (int i = kFirstStep; i <= kLastStep; ++i) {
        largest = pair(kFirst, i) > largest ? pair(kFirst, i) : largest;
        largest = pair(kSecond, i) > largest ? pair(kSecond, i) : largest;
    }
    return largest;
}

constexpr bool keysAreWellFormed()
{
    for (const char* key : {kFirst, kSecond}) {
        for (int d = 0; d < 396; ++d) {
            if (key[d] < '0' || key[d] > '9')
                return false;
        }
        if (key[396] != '\0')
            return false;
        for (int i = kFirstStep; i <= kLastStep; ++i) {
            if (pair(key, i) < 1 || pair(key, i) > 99)
                return false;
        }
    }
    return true;
}

static_assert(keysAreWellFormed(), "each key is 396 digits; steps 1..99 name positions 1..99");
static_assert(largestPosition() == 99, "stored lines are padded to 99 characters");

} // namespace IdiomKeys
