#include "support/Harness.h"

#include <gtest/gtest.h>
#include <wx/listbox.h>

#include "app/frmMdi.h"
#include "browser/frmBrowser.h"
#include "parents/LogList.h"
#include "parents/Parents.h"
#include "storage/HelperFiles.h"
#include "storage/LineFile.h"

namespace testsupport {

Harness::Harness(engine::WebViewFactory* webViews)
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
    data_ = helper.empty() ? std::make_unique<storage::DataFiles>(folder.Path())
                           : std::make_unique<storage::HelperFiles>(helper, folder.Path());
    data_->OnRead([this](const std::string& name) { reads.push_back(name); });
    data_->OnWrite([this](const std::string& name) { writes.push_back(name); });
    platform_ = std::make_unique<platform::Platform>(
        platform::Platform{messages, ender, starter, clock, *webViews_, speech});
    forms_ = std::make_unique<app::Forms>(*platform_, *data_);
    forms_->SetWholeSession(wholeSession);
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
    return forms_->Family().VisitLog();
}

}  // namespace testsupport
