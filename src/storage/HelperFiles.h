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

    // Where a run's data come from when a family install serves the running account: the
    // program's own folder when the helper lies beside it, else the machine's install in
    // `installFolder` when it has a data folder for this account. A copy of the program the
    // child made elsewhere therefore still reads and writes the family's data, and loads the
    // install's request filter, not the copy's.
    struct Family {
        std::string helper;
        std::string folder;         // the data folder
        std::string programFolder;  // the install's program folder, with the request filter
    };
    static std::optional<Family> FamilyFor(const std::string& programFolder,
                                           const std::string& installFolder);
    // A child's data folder of the install in `installFolder`, for a parent managing it from
    // their own account: there when the running account may read and write it (a member of the
    // install's group, or root), which the folder's own modes decide; none for any other user
    // name or account.
    static std::optional<std::string> ParentsFolder(const std::string& installFolder,
                                                    const std::string& child);
    // Removes the folders the runs of this process made; also for an end that skips the
    // destructors.
    static void RemoveRunFolders();

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
    // The words as the helper last gave them (none: it could not), marked for the filters.
    void Mark(const std::optional<std::string>& bytes) const;

    // The parent's name and password, first on the helper's input: never on its command line.
    std::string Account() const;

    std::string helper_;
    double answerSeconds_;
    // A folder of this run holding a file that changes whenever the words do, and is missing
    // when the helper cannot give them: the filters look at it to know when to ask the helper
    // again. It holds none of the words, which the child's account could change in it; a mark
    // changed by hand only makes them ask the helper again, and a mark taken away opens nothing.
    std::string runFolder_;
    mutable std::optional<std::string> marked_;
    mutable unsigned long marks_ = 0;
    std::string parentName_;
    mutable std::string parentPassword_;
    mutable std::optional<std::vector<std::string>> logKnown_;
};

}  // namespace storage
