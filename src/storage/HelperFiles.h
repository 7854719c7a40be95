#pragma once

#include <optional>
#include <string>
#include <vector>

#include "storage/DataFiles.h"

namespace storage {

// The data files of a family install, which the child's account can neither read nor write:
// every read and write goes through the set-group-id helper beside the program. The helper
// reads the settings but never the password, appends to the visit log, records the used time
// only forwards, and writes anything else only with the parent's name and password, which a
// right login leaves here for the rest of the run.
class HelperFiles : public DataFiles {
public:
    // A helper that has not answered after this long is stopped, and its request failed.
    static constexpr double kAnswerSeconds = 20;

    // `helper` is the helper's path; `folder` is the data folder as messages name it.
    HelperFiles(std::string helper, std::string folder, double answerSeconds = kAnswerSeconds);
    ~HelperFiles() override;

    // The helper's presence beside the program, root's and set-group-id, is what makes an
    // install a family install; nothing the child can set says so.
    static std::optional<std::string> HelperBeside(const std::string& programFolder);
    // The child's data folder as the helper finds it: ROOT/var/lib/lanternwick/USER beside
    // ROOT/opt/lanternwick, the program's folder.
    static std::string FamilyFolder(const std::string& programFolder);

    std::string PathOf(const std::string& name) const override;
    std::optional<std::vector<std::string>> Read(const std::string& name) const override;
    WriteResult Write(const std::string& name,
                      const std::vector<std::string>& lines) const override;
    std::optional<HelperLogin> Login(const std::string& name, const std::string& password) override;
    std::optional<double> LoginWait() override;
    std::optional<std::string> ReadPicture(const std::string& fileName) const override;
    WriteResult WritePicture(const std::string& fileName, std::string_view bytes,
                             bool replace) const override;
    void KeepPictures(const std::vector<std::string>& fileNames) const override;
    WriteResult AddRequest(const std::string& address) const override;

    struct Run {
        int exitCode = -1;  // -1: it could not be started, did not end normally or in time
        std::string output;
        std::string errors;
    };
    Run Ask(const std::vector<std::string>& args, const std::string& input = {}) const;

protected:
    WriteResult AppendLog(const std::vector<std::string>& lines) const override;

private:
    void Mirror(const std::optional<std::string>& bytes) const;

    // The parent's name and password, first on the helper's input: never on its command line.
    std::string Account() const;

    std::string helper_;
    double answerSeconds_;
    // The page processes read the blocked words from a file: a copy in a folder of this run,
    // written afresh from the helper at every read, so a copy changed by hand is put right at
    // the next check.
    std::string mirror_;
    std::string parentName_;
    mutable std::string parentPassword_;
    mutable std::optional<std::vector<std::string>> logKnown_;
};

}  // namespace storage
