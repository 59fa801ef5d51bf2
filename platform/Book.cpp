#include "platform/Book.h"

namespace book {
namespace {

struct State {
    std::unique_ptr<Book> book = std::make_unique<Book>();
    std::array<uint64_t, static_cast<size_t>(Op::Count)> calls{};
};

State& TheState() {
    static State state;
    return state;
}

}  // namespace

const Company* Book::CompanyById(const std::string& id) const {
    const auto it = companyById.find(id);
    return it == companyById.end() ? nullptr : &companies[it->second];
}

const Company* Book::SelectedCompany() const {
    for (const Company& company : companies)
        if (company.number == selectedDataNo) return &company;
    return nullptr;
}

const Book& Current() { return *TheState().book; }

void Install(std::unique_ptr<Book> book) {
    State& state = TheState();
    state.book = std::move(book);
    state.calls.fill(0);
}

std::optional<Op> OpByName(std::string_view name) {
    for (const OpName& entry : kOpNames)
        if (entry.name == name) return entry.op;
    return std::nullopt;
}

std::optional<int> TakeFault(Op op) {
    State& state = TheState();
    const size_t index = static_cast<size_t>(op);
    const uint64_t call = ++state.calls[index];
    const Faults& faults = state.book->faults;
    const auto& nth = faults.nth[index];
    if (!nth.empty())
        if (const auto it = nth.find(call); it != nth.end()) return it->second;
    return faults.always[index];
}

}  // namespace book
