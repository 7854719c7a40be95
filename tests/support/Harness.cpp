#include "support/Harness.h"

#include <gtest/gtest.h>
#include <wx/listbox.h>

#include <fstream>
#include <sstream>

#include "app/frmMdi.h"
#include "browser/frmBrowser.h"
#include "parents/Parents.h"
#include "storage/LineFile.h"

namespace fs = std::filesystem;

namespace testsupport {

TempFolder::TempFolder() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ =
        fs::temp_directory_path() / ("lanternwick-" + std::string(test ? test->name() : "data") +
                                     "-" + std::to_string(reinterpret_cast<uintptr_t>(this)));
    fs::remove_all(path_);
    fs::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void TempFolder::Put(const std::string& name, const std::string& bytes) const {
    std::ofstream(File(name), std::ios::binary) << bytes;
}

std::string TempFolder::Get(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

Harness::Harness(browser::WebViewFactory* webViews)
    : webViews_(webViews != nullptr ? webViews : &fakeViews) {}

Harness::~Harness() {
    forms_.reset();
}

void Harness::Put(const std::string& name, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += line + "\r\n";
    }
    folder.Put(name, bytes);
}

std::vector<std::string> Harness::Lines(const std::string& name) const {
    return storage::ReadAllLines(folder.File(name)).value_or(std::vector<std::string>{});
}

browser::frmBrowser& Harness::Start() {
    data_ = std::make_unique<storage::DataFiles>(folder.Path());
    data_->OnRead([this](const std::string& name) { reads.push_back(name); });
    platform_ = std::make_unique<app::Platform>(app::Platform{messages, ender, clock, *webViews_});
    forms_ = std::make_unique<app::Forms>(*platform_, *data_);
    forms_->Mdi();
    return forms_->Browser();
}

browser::frmBrowser& Harness::Restart() {
    forms_.reset();
    reads.clear();
    return Start();
}

browser::frmBrowser& Harness::Browser() {
    return forms_->Browser();
}

std::vector<std::string> Harness::VisitLog() {
    std::vector<std::string> entries;
    if (auto* panel = forms_->PanelIfLoaded()) {
        for (unsigned int i = 0; i < panel->List2->GetCount(); ++i) {
            entries.push_back(panel->List2->GetString(i).utf8_string());
        }
    }
    return entries;
}

}  // namespace testsupport
