#include "platform/BookLoader.h"

#include <climits>
#include <cstring>
#include <limits>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <unordered_set>

#include "platform/Calendar.h"
#include "platform/ShiftJis.h"

namespace book {
namespace {

using json = nlohmann::json;

struct Refusal : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// ------------------------------------------------------------------ positions and paths

// "line L, column C" of the byte at `offset`; columns count characters.
std::string LineAndColumn(std::string_view bytes, size_t offset) {
    offset = std::min(offset, bytes.size());
    size_t line = 1, lineStart = bytes.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    for (size_t i = 0; i < offset; ++i)
        if (bytes[i] == '\n') ++line, lineStart = i + 1;
    size_t column = 1;
    for (size_t i = lineStart; i < offset; ++i)
        if ((static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80) ++column;
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// A message fit for a message box and a terminal: printable ASCII only.
std::string Printable(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) c = '?';
    return out;
}

void AppendKey(std::string& path, std::string_view key) {
    const bool plain = !key.empty() && key.find_first_not_of(
                                           "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                           "0123456789_") == std::string_view::npos;
    if (plain) {
        if (!path.empty()) path += '.';
        path += key;
    } else {
        path +=
            '[' + json(std::string(key)).dump(-1, ' ', true, json::error_handler_t::replace) + ']';
    }
}

void AppendIndex(std::string& path, size_t index) { path += '[' + std::to_string(index) + ']'; }

// The place of a value in the book, kept as a chain on the stack and spelled out only
// for a refusal.
struct Path {
    const Path* parent = nullptr;
    std::string_view key;
    size_t index = 0;
    bool isElement = false;

    Path Member(std::string_view name) const { return {this, name, 0, false}; }
    Path Element(size_t i) const { return {this, {}, i, true}; }

    std::string Text() const {
        if (!parent) return {};
        std::string text = parent->Text();
        if (isElement)
            AppendIndex(text, index);
        else
            AppendKey(text, key);
        return text;
    }
};

[[noreturn]] void Refuse(const Path& path, const std::string& what) {
    const std::string where = path.Text();
    throw Refusal((where.empty() ? std::string("the top level") : where) + ": " + what);
}

// ------------------------------------------------------------------ syntax

// Offset of the first bracket (outside strings) that opens level kMaxNesting + 1.
std::optional<size_t> TooDeep(std::string_view bytes) {
    int depth = 0;
    bool inString = false, escaped = false;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > kMaxNesting) return i;
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return std::nullopt;
}

// Builds the document like the library's own parser, but refuses `null` and a member
// name repeated in one object, with the path of the offending value.
class StrictBuilder : public nlohmann::json_sax<json> {
  public:
    StrictBuilder(std::string_view bytes, json& root) : bytes_(bytes), root_(root) {}

    const std::string& problem() const { return problem_; }

    bool null() override { return Fail(PathHere(), "null is not allowed"); }
    bool boolean(bool value) override { return Add(value) != nullptr; }
    bool number_integer(number_integer_t value) override { return Add(value) != nullptr; }
    bool number_unsigned(number_unsigned_t value) override { return Add(value) != nullptr; }
    bool number_float(number_float_t value, const string_t&) override {
        return Add(value) != nullptr;
    }
    bool string(string_t& value) override { return Add(std::move(value)) != nullptr; }
    bool binary(binary_t& value) override { return Add(std::move(value)) != nullptr; }
    bool start_object(std::size_t) override { return Open(json::object()); }
    bool start_array(std::size_t) override { return Open(json::array()); }
    bool end_object() override { return Close(); }
    bool end_array() override { return Close(); }

    bool key(string_t& name) override {
        Frame& top = frames_.back();
        top.key = name;
        if (top.value->contains(name)) return Fail(PathHere(), "the member name is repeated");
        return true;
    }

    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::detail::exception& error) override {
        std::string_view what = error.what();
        const size_t colon = what.find(": ");
        what = colon == std::string_view::npos ? what : what.substr(colon + 2);
        problem_ = LineAndColumn(bytes_, position > 0 ? position - 1 : 0) + ": " + Printable(what);
        return false;
    }

  private:
    struct Frame {
        json* value;
        std::string key;
    };

    std::string PathHere() const {
        std::string path;
        for (const Frame& frame : frames_) {
            if (frame.value->is_object())
                AppendKey(path, frame.key);
            else
                AppendIndex(path, frame.value->size());
        }
        return path;
    }

    bool Fail(const std::string& path, const std::string& what) {
        problem_ = (path.empty() ? std::string("the top level") : path) + ": " + what;
        return false;
    }

    json* Add(json&& value) {
        if (frames_.empty()) {
            root_ = std::move(value);
            return &root_;
        }
        Frame& top = frames_.back();
        if (top.value->is_object()) {
            json& slot = (*top.value)[top.key];
            slot = std::move(value);
            return &slot;
        }
        top.value->push_back(std::move(value));
        return &top.value->back();
    }

    bool Open(json&& container) {
        json* value = Add(std::move(container));
        frames_.push_back({value, {}});
        return true;
    }

    bool Close() {
        frames_.pop_back();
        return true;
    }

    std::string_view bytes_;
    json& root_;
    std::vector<Frame> frames_;
    std::string problem_;
};

// ------------------------------------------------------------------ values

template <class T>
std::string RangeText() {
    return "expected an integer from " + std::to_string(std::numeric_limits<T>::min()) + " to " +
           std::to_string(std::numeric_limits<T>::max());
}

template <class T>
T Integer(const json& value, const Path& path) {
    if (!value.is_number_integer()) Refuse(path, RangeText<T>());
    if (value.is_number_unsigned()) {
        const uint64_t v = value.get<uint64_t>();
        if (v > static_cast<uint64_t>(std::numeric_limits<T>::max())) Refuse(path, RangeText<T>());
        return static_cast<T>(v);
    }
    const int64_t v = value.get<int64_t>();
    if (v < static_cast<int64_t>(std::numeric_limits<T>::min()) ||
        (v > 0 && static_cast<uint64_t>(v) > static_cast<uint64_t>(std::numeric_limits<T>::max())))
        Refuse(path, RangeText<T>());
    return static_cast<T>(v);
}

int32_t Date(const json& value, const Path& path) {
    const bool valid = value.is_number_integer() &&
                       (!value.is_number_unsigned() || value.get<uint64_t>() <= INT_MAX) &&
                       IsValidDate(value.get<int64_t>());
    if (!valid) Refuse(path, "expected a valid calendar date yyyymmdd");
    return static_cast<int32_t>(value.get<int64_t>());
}

// A classification code or compound marker: an integer, or "0x" and 1 to 8 hex digits.
uint32_t Code(const json& value, const Path& path, uint32_t max) {
    const std::string expected =
        "expected an integer or \"0x\" and 1 to 8 hex digits, at most " + std::to_string(max);
    uint64_t code = 0;
    if (value.is_string()) {
        const std::string& text = value.get_ref<const std::string&>();
        if (text.size() < 3 || text.size() > 10 || text.compare(0, 2, "0x") != 0 ||
            text.find_first_not_of("0123456789abcdefABCDEF", 2) != std::string::npos)
            Refuse(path, expected);
        code = std::stoull(text.substr(2), nullptr, 16);
    } else if (value.is_number_integer() &&
               (value.is_number_unsigned() || value.get<int64_t>() >= 0)) {
        code = value.get<uint64_t>();
    } else {
        Refuse(path, expected);
    }
    if (code > max) Refuse(path, expected);
    return static_cast<uint32_t>(code);
}

int64_t Amount(const json& value, const Path& path, int64_t scale) {
    const int64_t amount = Integer<int64_t>(value, path);
    int64_t scaled = 0;
    if (__builtin_mul_overflow(amount, scale, &scaled))
        Refuse(path, "the amount does not fit a signed 64-bit integer in ten-thousandths");
    return scaled;
}

std::string Text(const json& value, const Path& path, size_t maxBytes) {
    if (!value.is_string()) Refuse(path, "expected a text");
    const std::string& utf8 = value.get_ref<const std::string&>();
    if (utf8.find('\0') != std::string::npos) Refuse(path, "the text holds a NUL character");
    std::optional<std::string> sjis = Utf8ToShiftJis(utf8);
    if (!sjis) Refuse(path, "the text has a character without a Shift_JIS (code page 932) form");
    if (sjis->size() > maxBytes)
        Refuse(path, "the text is longer than " + std::to_string(maxBytes) + " Shift_JIS bytes");
    return std::move(*sjis);
}

const json::array_t& Array(const json& value, const Path& path) {
    if (!value.is_array()) Refuse(path, "expected an array");
    return value.get_ref<const json::array_t&>();
}

// The members of one object, checked against the names its record allows.
class Fields {
  public:
    Fields(const json& value, const Path& path, std::initializer_list<std::string_view> allowed)
        : path_(path) {
        if (!value.is_object()) Refuse(path, "expected an object");
        object_ = &value.get_ref<const json::object_t&>();
        for (const auto& [name, member] : *object_) {
            bool known = false;
            for (std::string_view a : allowed) known = known || a == name;
            if (!known) Refuse(path.Member(name), "unknown field");
        }
    }

    const json* Find(std::string_view name) const {
        const auto it = object_->find(std::string(name));
        return it == object_->end() ? nullptr : &it->second;
    }
    const json& Need(std::string_view name) const {
        const json* value = Find(name);
        if (!value) Refuse(path_, "the field \"" + std::string(name) + "\" is required");
        return *value;
    }
    Path At(std::string_view name) const { return path_.Member(name); }
    const Path& path() const { return path_; }

    template <class T>
    T Int(std::string_view name, T fallback) const {
        const json* value = Find(name);
        return value ? Integer<T>(*value, At(name)) : fallback;
    }
    template <class T>
    T NeedInt(std::string_view name) const {
        return Integer<T>(Need(name), At(name));
    }
    std::string Str(std::string_view name, size_t maxBytes, const std::string& fallback) const {
        const json* value = Find(name);
        return value ? Text(*value, At(name), maxBytes) : fallback;
    }
    int64_t Money(std::string_view name, int64_t scale) const {
        const json* value = Find(name);
        return value ? Amount(*value, At(name), scale) : 0;
    }
    const json::array_t* List(std::string_view name) const {
        const json* value = Find(name);
        return value ? &Array(*value, At(name)) : nullptr;
    }

  private:
    const Path& path_;
    const json::object_t* object_ = nullptr;
};

// ------------------------------------------------------------------ records

constexpr size_t kUserIdBytes = 64;
constexpr size_t kFolderBytes = 259;
constexpr size_t kEraNameBytes = sizeof(StGENGOINFO::name) - 1;
constexpr size_t kDataIdBytes = sizeof(StDATAINFO::dataId) - 1;
constexpr size_t kCompanyNameBytes = 255;
constexpr size_t kAccountNameBytes = sizeof(StKAMOKUSUMINFO::formalName) - 1;
constexpr size_t kSecondNameBytes = sizeof(StKAMOKUSUMINFO::secondName) - 1;
constexpr size_t kMasterNameBytes = sizeof(StKAMOKUINFO::name) - 1;
constexpr size_t kSummaryBytes = sizeof(StMOTOCHOINFO::summary) - 1;
constexpr size_t kSavedTextBytes = INT_MAX - 1;
constexpr uint32_t kCodeMax = UINT32_MAX;
constexpr uint32_t kMarkerMax = UINT8_MAX;
constexpr size_t kMaxAccountingMonths = 12;
constexpr int64_t kYenScale = 10000;

// The eras when the book names none. Names in Shift_JIS.
struct DefaultEra {
    const char* name;
    int32_t start;
};
constexpr DefaultEra kDefaultEras[] = {
    {"\x96\xBE\x8E\xA1", 18680125},  // 明治
    {"\x91\xE5\x90\xB3", 19120730},  // 大正
    {"\x8F\xBA\x98\x61", 19261225},  // 昭和
    {"\x95\xBD\x90\xAC", 19890108},  // 平成
    {"\x97\xDF\x98\x61", 20190501},  // 令和
};

struct SavedField {
    std::string_view name;
    int kind;
};
constexpr SavedField kSavedFields[] = {
    {"notesSettings", 100},
    {"statementSettings", 0},
    {"notesText", 1000},
};

std::string Folder(const Fields& f, std::string_view name) {
    const json* value = f.Find(name);
    if (!value) return {};
    std::string folder = Text(*value, f.At(name), kFolderBytes);
    // The UTF-8 form is checked: in Shift_JIS a trail byte may equal a backslash.
    const std::string& utf8 = value->get_ref<const std::string&>();
    if (!utf8.empty() && utf8.back() != '\\')
        Refuse(f.At(name), "expected an empty text or a folder ending with a backslash");
    return folder;
}

void ReadColumn(const Fields& f, std::string_view setName, std::string_view side, int64_t scale,
                SumColumn& column) {
    const json* set = f.Find(setName);
    if (!set) return;
    const Path setPath = f.At(setName);
    const Fields sides(*set, setPath, {"debit", "credit"});
    const json::array_t* values = sides.List(side);
    if (!values) return;
    const Path path = sides.At(side);
    if (values->size() > column.size())
        Refuse(path, "at most " + std::to_string(column.size()) + " amounts");
    for (size_t i = 0; i < values->size(); ++i)
        column[i] = Amount((*values)[i], path.Element(i), scale);
}

LedgerLine ReadLedgerLine(const json& value, const Path& path, int64_t scale) {
    const Fields f(
        value, path,
        {"voucherId", "voucherNo", "lineNo", "date", "compound", "debitKey", "debitAmount",
         "debitTax", "creditKey", "creditAmount", "creditTax", "summary", "side"});
    LedgerLine line;
    line.voucherId = f.NeedInt<uint32_t>("voucherId");
    line.voucherNo = f.Int<int32_t>("voucherNo", 0);
    line.lineNo = f.Int<uint32_t>("lineNo", 1);
    line.date = Date(f.Need("date"), f.At("date"));
    if (const json* marker = f.Find("compound"))
        line.compound = static_cast<uint8_t>(Code(*marker, f.At("compound"), kMarkerMax));
    line.debitKey = f.Int<uint32_t>("debitKey", 0);
    line.debitAmount = f.Money("debitAmount", scale);
    line.debitTax = f.Money("debitTax", scale);
    line.creditKey = f.Int<uint32_t>("creditKey", 0);
    line.creditAmount = f.Money("creditAmount", scale);
    line.creditTax = f.Money("creditTax", scale);
    line.summary = f.Str("summary", kSummaryBytes, "");
    line.side = f.Int<uint8_t>("side", 3);
    return line;
}

Account ReadAccount(const json& value, const Path& path, int64_t scale) {
    const Fields f(value, path,
                   {"key", "name", "secondName", "excl126", "excl127", "kind", "nature", "class",
                    "set0", "set1", "ledger"});
    Account account;
    account.key = f.NeedInt<uint32_t>("key");
    account.name = f.Str("name", kAccountNameBytes, "");
    account.secondName = f.Str("secondName", kSecondNameBytes, "");
    account.excl126 = f.Int<uint8_t>("excl126", 0);
    account.excl127 = f.Int<uint8_t>("excl127", 0);
    account.kind = f.Int<uint8_t>("kind", 0);
    account.nature = f.Int<uint8_t>("nature", 1);
    account.classCode = Code(f.Need("class"), f.At("class"), kCodeMax);
    for (int set = 0; set < 2; ++set) {
        const std::string_view setName = set == 0 ? "set0" : "set1";
        ReadColumn(f, setName, "debit", scale, account.debit[set]);
        ReadColumn(f, setName, "credit", scale, account.credit[set]);
    }
    if (const json::array_t* ledger = f.List("ledger")) {
        const Path ledgerPath = f.At("ledger");
        account.ledger.reserve(ledger->size());
        for (size_t i = 0; i < ledger->size(); ++i)
            account.ledger.push_back(ReadLedgerLine((*ledger)[i], ledgerPath.Element(i), scale));
    }
    return account;
}

void ReadAccounts(const Fields& f, int64_t scale, Company& company) {
    const json::array_t* accounts = f.List("accounts");
    if (!accounts) return;
    const Path path = f.At("accounts");
    company.accounts.reserve(accounts->size());
    company.accountByKey.reserve(accounts->size());
    for (size_t i = 0; i < accounts->size(); ++i) {
        const Path at = path.Element(i);
        company.accounts.push_back(ReadAccount((*accounts)[i], at, scale));
        if (!company.accountByKey.emplace(company.accounts.back().key, i).second)
            Refuse(at.Member("key"), "another account has the same key");
    }
}

void ReadMaster(const Fields& f, Company& company) {
    const json::array_t* master = f.List("master");
    if (!master) {
        for (const Account& account : company.accounts)
            company.master.emplace(account.key, MasterEntry{account.name, account.classCode});
        return;
    }
    const Path path = f.At("master");
    company.master.reserve(master->size());
    for (size_t i = 0; i < master->size(); ++i) {
        const Path at = path.Element(i);
        const Fields entry((*master)[i], at, {"key", "name", "class"});
        const uint32_t key = entry.NeedInt<uint32_t>("key");
        MasterEntry record{entry.Str("name", kMasterNameBytes, ""),
                           Code(entry.Need("class"), entry.At("class"), kCodeMax)};
        if (!company.master.emplace(key, std::move(record)).second)
            Refuse(at.Member("key"), "another master entry has the same key");
    }
}

JournalLine ReadJournalLine(const json& value, const Path& path, int64_t scale) {
    const Fields f(value, path, {"lineNo", "debitAmount", "debitTax", "creditAmount", "creditTax"});
    JournalLine line;
    line.lineNo = f.Int<uint32_t>("lineNo", 1);
    line.debitAmount = f.Money("debitAmount", scale);
    line.debitTax = f.Money("debitTax", scale);
    line.creditAmount = f.Money("creditAmount", scale);
    line.creditTax = f.Money("creditTax", scale);
    return line;
}

void ReadVouchers(const Fields& f, int64_t scale, Company& company) {
    const json::array_t* vouchers = f.List("vouchers");
    if (!vouchers) return;
    const Path path = f.At("vouchers");
    company.vouchers.reserve(vouchers->size());
    for (size_t i = 0; i < vouchers->size(); ++i) {
        const Path at = path.Element(i);
        const Fields voucher((*vouchers)[i], at, {"id", "lines"});
        const uint32_t id = voucher.NeedInt<uint32_t>("id");
        std::vector<JournalLine> lines;
        if (const json::array_t* entries = voucher.List("lines")) {
            const Path linesPath = voucher.At("lines");
            std::unordered_set<uint32_t> lineNos;
            for (size_t j = 0; j < entries->size(); ++j) {
                const Path lineAt = linesPath.Element(j);
                lines.push_back(ReadJournalLine((*entries)[j], lineAt, scale));
                if (!lineNos.insert(lines.back().lineNo).second)
                    Refuse(lineAt.Member("lineNo"), "another line of the voucher has this lineNo");
            }
        }
        if (!company.vouchers.emplace(id, std::move(lines)).second)
            Refuse(at.Member("id"), "another voucher has the same id");
    }
}

void ReadSaved(const Fields& f, Company& company) {
    const json* saved = f.Find("saved");
    if (!saved) return;
    const Path path = f.At("saved");
    const Fields fields(*saved, path, {"notesSettings", "statementSettings", "notesText"});
    for (const SavedField& field : kSavedFields)
        if (const json* text = fields.Find(field.name))
            company.saved[field.kind] = Text(*text, fields.At(field.name), kSavedTextBytes);
}

void ReadPeriod(const Fields& f, Company& company) {
    company.periodStart = Date(f.Need("periodStart"), f.At("periodStart"));
    company.periodEnd = Date(f.Need("periodEnd"), f.At("periodEnd"));
    if (company.periodEnd < company.periodStart)
        Refuse(f.At("periodEnd"), "the period ends before it starts");
    const size_t months =
        AccountingMonths(company.periodStart, company.periodEnd, ClosingDayOf(company.periodEnd),
                         kMaxAccountingMonths + 1)
            .size();
    if (months > kMaxAccountingMonths)
        Refuse(f.At("periodEnd"), "the period has more than 12 accounting months");
}

Company ReadCompany(const json& value, const Path& path, int64_t scale) {
    const Fields f(value, path,
                   {"id", "number", "name", "periodStart", "periodEnd", "manufacturing",
                    "interimClosing", "startOfUseMonth", "companyLaw", "taxSettings", "accounts",
                    "master", "vouchers", "saved"});
    Company company;
    company.id = Text(f.Need("id"), f.At("id"), kDataIdBytes);
    if (company.id.empty()) Refuse(f.At("id"), "the data identifier must not be empty");
    company.number = f.NeedInt<int32_t>("number");
    company.name = f.Str("name", kCompanyNameBytes, "");
    ReadPeriod(f, company);
    company.manufacturing = f.Int<int32_t>("manufacturing", 0);
    company.interimClosing = f.Int<int32_t>("interimClosing", 0);
    company.startOfUseMonth = f.Int<int16_t>("startOfUseMonth", 1);
    company.companyLaw = f.Int<uint8_t>("companyLaw", 1);
    if (const json* tax = f.Find("taxSettings")) {
        const Path taxPath = f.At("taxSettings");
        company.sumSet = Fields(*tax, taxPath, {"sumSet"}).Int<uint8_t>("sumSet", 0);
    }
    ReadAccounts(f, scale, company);
    ReadMaster(f, company);
    ReadVouchers(f, scale, company);
    ReadSaved(f, company);
    return company;
}

void ReadCompanies(const Fields& f, int64_t scale, Book& book) {
    const json::array_t* companies = f.List("companies");
    if (!companies) return;
    const Path path = f.At("companies");
    std::unordered_set<int32_t> numbers;
    for (size_t i = 0; i < companies->size(); ++i) {
        const Path at = path.Element(i);
        book.companies.push_back(ReadCompany((*companies)[i], at, scale));
        const Company& company = book.companies.back();
        if (!book.companyById.emplace(company.id, i).second)
            Refuse(at.Member("id"), "another company has the same id");
        if (!numbers.insert(company.number).second)
            Refuse(at.Member("number"), "another company has the same number");
    }
}

void ReadEras(const Fields& f, Book& book) {
    const json::array_t* eras = f.List("eras");
    if (!eras) {
        for (const DefaultEra& era : kDefaultEras) book.eras.push_back({era.name, era.start});
        return;
    }
    const Path path = f.At("eras");
    for (size_t i = 0; i < eras->size(); ++i) {
        const Path at = path.Element(i);
        const Fields era((*eras)[i], at, {"name", "start"});
        book.eras.push_back({Text(era.Need("name"), era.At("name"), kEraNameBytes),
                             Date(era.Need("start"), era.At("start"))});
        if (i > 0 && book.eras[i].start < book.eras[i - 1].start)
            Refuse(at.Member("start"), "the eras must be sorted by start");
    }
}

// "Operation" or "Operation@N" with N >= 1.
void ReadFault(const std::string& name, const json& value, const Path& path, Faults& faults) {
    const size_t at = name.rfind('@');
    const std::optional<Op> op = OpByName(std::string_view(name).substr(0, at));
    if (!op) Refuse(path, "unknown operation name");
    const int status = Integer<int32_t>(value, path);
    const size_t index = static_cast<size_t>(*op);
    if (at == std::string::npos) {
        faults.always[index] = status;
        return;
    }
    const std::string digits = name.substr(at + 1);
    if (digits.empty() || digits.size() > 9 || digits[0] == '0' ||
        digits.find_first_not_of("0123456789") != std::string::npos)
        Refuse(path, "expected a call number from 1 to 999999999 after @");
    faults.nth[index][std::stoull(digits)] = status;
}

void ReadFaults(const Fields& f, Faults& faults) {
    const json* value = f.Find("faults");
    if (!value) return;
    const Path path = f.At("faults");
    if (!value->is_object()) Refuse(path, "expected an object");
    for (const auto& [name, status] : value->get_ref<const json::object_t&>())
        ReadFault(name, status, path.Member(name), faults);
}

std::unique_ptr<Book> ReadBook(const json& root) {
    const Path top;
    const Fields f(
        root, top,
        {"format", "unit", "connection", "user", "folders", "eras", "companies", "faults"});
    if (f.NeedInt<int64_t>("format") != 1) Refuse(f.At("format"), "expected 1");
    int64_t scale = 1;
    if (const json* unit = f.Find("unit")) {
        if (*unit == "yen")
            scale = kYenScale;
        else if (*unit != "raw")
            Refuse(f.At("unit"), "expected \"raw\" or \"yen\"");
    }
    auto book = std::make_unique<Book>();
    if (const json* connection = f.Find("connection")) {
        const Path path = f.At("connection");
        const Fields c(*connection, path, {"initiate", "link"});
        book->connectionInitiate = c.Int<int32_t>("initiate", 0);
        book->connectionLink = c.Int<int32_t>("link", 0);
    }
    if (const json* user = f.Find("user")) {
        const Path path = f.At("user");
        const Fields u(*user, path, {"id", "selectionNo1", "selectedDataNo"});
        book->userId = u.Str("id", kUserIdBytes, book->userId);
        book->selectionNo1 = u.Int<int32_t>("selectionNo1", 0);
        book->selectedDataNo = u.Int<int32_t>("selectedDataNo", 1);
    }
    if (const json* folders = f.Find("folders")) {
        const Path path = f.At("folders");
        const Fields d(*folders, path, {"output", "settings"});
        book->folderOutput = Folder(d, "output");
        book->folderSettings = Folder(d, "settings");
    }
    ReadEras(f, *book);
    ReadCompanies(f, scale, *book);
    ReadFaults(f, book->faults);
    return book;
}

}  // namespace

ParseResult ParseBook(std::string_view bytes) {
    if (const std::optional<size_t> deep = TooDeep(bytes))
        return {nullptr, LineAndColumn(bytes, *deep) + ": nesting deeper than " +
                             std::to_string(kMaxNesting) + " levels"};
    json root;
    StrictBuilder builder(bytes, root);
    if (!json::sax_parse(bytes.begin(), bytes.end(), &builder)) return {nullptr, builder.problem()};
    try {
        return {ReadBook(root), {}};
    } catch (const Refusal& refusal) {
        return {nullptr, refusal.what()};
    }
}

}  // namespace book
