#include "cli/ListOpsOptions.h"

#include "core/doc/TorvaneDoc.h"
#include "core/listops/Duplicates.h"
#include "core/listops/Reorder.h"
#include "core/listops/Search.h"
#include "core/listops/Sorting.h"

#include <algorithm>
#include <array>
#include <limits>
#include <map>

namespace torvane::cli {
namespace {

// The --sort key names, in column key order.
constexpr std::array<const char*, ColumnCount> SortKeyNames{
    "path",  "name", "ext",     "size",         "title", "artist", "album", "comment",
    "track", "time", "bitrate", "samplingrate", "type",  "genre",  "year"};
// The --target and --exists names, in SearchTarget and FileExistence order.
constexpr std::array<const char*, 6> TargetNames{"path",   "name",  "title",
                                                 "artist", "album", "comment"};
constexpr std::array<const char*, 3> ExistenceNames{"any", "yes", "no"};
static_assert(TargetNames.size() == static_cast<size_t>(SearchTarget::Comment) + 1);
static_assert(ExistenceNames.size() == static_cast<size_t>(FileExistence::Missing) + 1);

template <size_t N> int IndexOf(const std::array<const char*, N>& names, const std::string& name) {
    const auto it = std::find(names.begin(), names.end(), name);
    return it == names.end() ? -1 : static_cast<int>(it - names.begin());
}

template <size_t N> std::vector<std::string> Names(const std::array<const char*, N>& names) {
    return {names.begin(), names.end()};
}

// "KEY" or "KEY:desc" (also "KEY:asc").
std::optional<std::pair<ColumnKey, bool>> ParseSortKey(const std::string& value) {
    const size_t colon = value.find(':');
    const std::optional<ColumnKey> key = ColumnKeyOf(IndexOf(SortKeyNames, value.substr(0, colon)));
    const std::string direction = colon == std::string::npos ? "asc" : value.substr(colon + 1);
    if (!key || (direction != "asc" && direction != "desc"))
        return std::nullopt;
    return std::pair{*key, direction == "desc"};
}

// The fields of one extended condition with a bound.
struct BoundFields {
    bool SearchRequest::*Use;
    int32_t SearchRequest::*Value;
    Bound SearchRequest::*AtMost;
};
constexpr BoundFields SizeBound{&SearchRequest::useSize, &SearchRequest::sizeKB,
                                &SearchRequest::sizeAtMost};
constexpr BoundFields TimeBound{&SearchRequest::useTime, &SearchRequest::timeSec,
                                &SearchRequest::timeAtMost};
constexpr BoundFields BitRateBound{&SearchRequest::useBitRate, &SearchRequest::bitRate,
                                   &SearchRequest::bitRateAtMost};
constexpr BoundFields RateBound{&SearchRequest::useSamplingRate, &SearchRequest::samplingRate,
                                &SearchRequest::samplingRateAtMost};

// The bound options: name, what they bound, at most.
struct BoundOption {
    const char* Name;
    BoundFields Fields;
    Bound AtMost;
    const char* Help;
};
const std::array<BoundOption, 8> BoundOptions{{
    {"--min-kb", SizeBound, Bound::AtLeast, "Search: size at least N KB (1024 bytes)"},
    {"--max-kb", SizeBound, Bound::AtMost, "Search: size at most N KB (1024 bytes)"},
    {"--min-time", TimeBound, Bound::AtLeast, "Search: playing time at least S seconds"},
    {"--max-time", TimeBound, Bound::AtMost, "Search: playing time at most S seconds"},
    {"--min-bitrate", BitRateBound, Bound::AtLeast, "Search: bit rate at least K kbit/s"},
    {"--max-bitrate", BitRateBound, Bound::AtMost,
     "Search: bit rate at most K kbit/s (0: variable bit rate only)"},
    {"--min-rate", RateBound, Bound::AtLeast, "Search: sampling rate at least HZ"},
    {"--max-rate", RateBound, Bound::AtMost, "Search: sampling rate at most HZ"},
}};

SearchRequest TextPass(const std::string& text) {
    SearchRequest request;
    SplitSearchTerms(request, text);
    return request;
}

// Turns the options, in the order given, into operations. A search collects the modifiers that
// follow it up to the next search or list operation; a modifier with no search open opens one
// with an empty text.
class CPlanBuilder {
public:
    void Add(const std::string& name, const std::string& value) {
        if (name == "--sort") {
            const auto key = ParseSortKey(value);
            Operation(ListOp::Kind::Sort).Key = key->first;
            m_Plan.Ops.back().Descending = key->second;
        } else if (name == "--shuffle") {
            Operation(ListOp::Kind::Shuffle);
        } else if (name == "--dedupe") {
            Operation(ListOp::Kind::RemoveDuplicates);
        } else if (name == "--list-dupes") {
            Operation(ListOp::Kind::ListDuplicates);
        } else if (name == "--search") {
            Operation(ListOp::Kind::Search).Passes.push_back(TextPass(value));
            m_SearchOpen = true;
        } else {
            Modify(name, value);
        }
    }

    ListOpsPlan Take() { return std::move(m_Plan); }

private:
    ListOp& Operation(ListOp::Kind kind) {
        m_SearchOpen = false;
        m_Plan.Ops.emplace_back().What = kind;
        return m_Plan.Ops.back();
    }

    std::vector<SearchRequest>& OpenSearch() {
        if (!m_SearchOpen)
            Add("--search", "");
        return m_Plan.Ops.back().Passes;
    }

    void Modify(const std::string& name, const std::string& value) {
        const auto bound = std::find_if(BoundOptions.begin(), BoundOptions.end(),
                                        [&](const BoundOption& o) { return name == o.Name; });
        if (bound != BoundOptions.end()) {
            SetBound(OpenSearch(), bound->Fields, std::stoi(value), bound->AtMost);
            return;
        }
        SearchRequest& request = OpenSearch().front();
        if (name == "--not") {
            request.exclude = TermCondition::Excludes;
        } else if (name == "--target") {
            request.target = static_cast<SearchTarget>(IndexOf(TargetNames, value));
        } else if (name == "--exists") {
            request.existence = static_cast<FileExistence>(IndexOf(ExistenceNames, value));
        } else if (name == "--ext") {
            request.useExtension = true;
            request.extension = LowerAscii(value);
        }
    }

    // The first pass that has no bound of this kind, or one in the same direction, takes it;
    // a second bound (at least and at most) goes to a narrowing pass.
    static void SetBound(std::vector<SearchRequest>& passes, const BoundFields& fields,
                         int32_t value, Bound atMost) {
        auto it = std::find_if(passes.begin(), passes.end(), [&](const SearchRequest& r) {
            return !(r.*fields.Use) || r.*fields.AtMost == atMost;
        });
        SearchRequest& pass = it != passes.end() ? *it : passes.emplace_back(TextPass(""));
        pass.*fields.Use = true;
        pass.*fields.Value = value;
        pass.*fields.AtMost = atMost;
    }

    ListOpsPlan m_Plan;
    bool m_SearchOpen = false;
};

CLI::Option* AddRepeatable(CLI::App& app, const std::string& name, const std::string& help) {
    return app.add_option(name, help)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->allow_extra_args(false);
}

CLI::Option* Flag(CLI::App& app, const std::string& name, const std::string& help) {
    return app.add_flag(name)->description(help);
}

} // namespace

CListOpsOptions::CListOpsOptions(CLI::App& app) : m_App(app) {
    const std::string group = "List operations (run in the order given, after the inputs)";
    AddRepeatable(app, "--sort",
                  "Sort by KEY[:desc]; KEY: path name ext size title artist "
                  "album comment track time bitrate samplingrate type genre year")
        ->type_name("KEY[:desc]")
        ->check(CLI::Validator(
            [](std::string& value) {
                return ParseSortKey(value) ? std::string() : "not a sort key: " + value;
            },
            ""))
        ->group(group);
    m_IgnoreLeadingDigits = Flag(app, "--ignore-leading-digits",
                                 "Sort file names (and paths) without their leading digits")
                                ->group(group);
    Flag(app, "--shuffle", "Shuffle the list")->group(group);
    m_Seed = app.add_option("--seed", "Seed of the shuffle's random numbers")
                 ->type_name("N")
                 ->check(CLI::Range(uint64_t{0}, uint64_t{std::numeric_limits<uint32_t>::max()}))
                 ->group(group);
    Flag(app, "--dedupe", "Remove duplicates (same size, title, artist and album)")->group(group);
    Flag(app, "--list-dupes", "Make the list the duplicate groups")->group(group);
    AddRepeatable(app, "--search",
                  "Search the current list (narrowing after a search) for TEXT; blanks separate "
                  "terms that must all be found")
        ->type_name("TEXT")
        ->group(group);
    Flag(app, "--not", "Search: keep what contains none of the terms")->group(group);
    AddRepeatable(app, "--target", "Search: the text searched")
        ->check(CLI::IsMember(Names(TargetNames)))
        ->group(group);
    AddRepeatable(app, "--exists", "Search: whether the file must exist")
        ->check(CLI::IsMember(Names(ExistenceNames)))
        ->group(group);
    AddRepeatable(app, "--ext", "Search: the extension")->type_name("E")->group(group);
    for (const BoundOption& option : BoundOptions) {
        AddRepeatable(app, option.Name, option.Help)
            ->type_name("N")
            ->check(CLI::Range(0, std::numeric_limits<int32_t>::max()))
            ->group(group);
    }
}

ListOpsPlan CListOpsOptions::Plan() const {
    CPlanBuilder builder;
    std::map<const CLI::Option*, size_t> occurrences;
    for (const CLI::Option* option : m_App.parse_order()) {
        if (option == m_Seed || option == m_IgnoreLeadingDigits)
            continue;
        const size_t k = occurrences[option]++;
        const auto& results = option->results();
        builder.Add(option->get_name(), k < results.size() ? results[k] : std::string());
    }
    ListOpsPlan plan = builder.Take();
    if (m_Seed->count() > 0)
        plan.Seed = m_Seed->as<uint32_t>();
    plan.IgnoreLeadingDigits = m_IgnoreLeadingDigits->count() > 0;
    return plan;
}

void ApplyListOps(CTorvaneDoc& doc, const ListOpsPlan& plan) {
    if (plan.Seed)
        doc.Random().Seed(*plan.Seed);
    if (plan.IgnoreLeadingDigits)
        doc.Settings().DisNum = true;
    for (const ListOp& op : plan.Ops) {
        switch (op.What) {
        case ListOp::Kind::Sort:
            SortAll(doc, op.Key, op.Descending);
            break;
        case ListOp::Kind::Shuffle:
            ShuffleAll(doc);
            break;
        case ListOp::Kind::RemoveDuplicates:
            RemoveDuplicates(doc);
            break;
        case ListOp::Kind::ListDuplicates:
            ListDuplicates(doc);
            break;
        case ListOp::Kind::Search:
            for (SearchRequest request : op.Passes) {
                // As the search bar: narrowing in search mode, else a new search.
                request.source =
                    doc.SearchMode() ? SearchSource::SearchList : SearchSource::AllList;
                RunSearch(doc, request);
            }
            break;
        }
    }
}

} // namespace torvane::cli
