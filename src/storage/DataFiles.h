#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/LineFile.h"

namespace storage {

// What the family install's helper answered to a login it checked itself.
struct HelperLogin {
    // "right" or "wrong": which of the name and the password was wrong is not told.
    std::vector<std::string> outcomes;
    bool unreadable = false;  // the account could not be read, or no helper answered
    // The try could not be counted, so it was not compared: why, for the parent.
    std::optional<std::string> notCounted;
    double wait = 0;       // seconds the next try waits (refused unread when `outcomes` is empty)
    int wrongBefore = 0;   // after a right login: the wrong tries before it
    bool shipped = false;  // after a right login: the password is the installation's
};

// The data folder and the reads and writes of its files, by file name.
class DataFiles {
public:
    explicit DataFiles(std::string folder);
    virtual ~DataFiles() = default;

    // The data path followed by the file name.
    virtual std::string PathOf(const std::string& name) const;

    virtual std::optional<std::vector<std::string>> Read(const std::string& name) const;
    virtual WriteResult Write(const std::string& name, const std::vector<std::string>& lines) const;
    // Adds lines at the end of the visit log, as every run adds to it.
    WriteResult Append(const std::string& name, const std::vector<std::string>& lines) const;

    // Adds an address to the child's requests for later (formats::requests), as the child's
    // run may without the parent. A full list is a failure; one already there is not.
    virtual WriteResult AddRequest(const std::string& address) const;

    // Where the program cannot read the parent's account itself, the one that can checks a
    // login and keeps the count of wrong tries; nothing where the program reads the files.
    virtual std::optional<HelperLogin> Login(const std::string&, const std::string&) {
        return std::nullopt;
    }
    virtual std::optional<double> LoginWait() { return std::nullopt; }

    // The site buttons' pictures in their folder beside the data files, by the file names
    // storage::pictures gives them (SitePictures.cpp). A read gives the bytes as stored.
    virtual std::optional<std::string> ReadPicture(const std::string& fileName) const;
    // `replace` false: only where nothing is stored yet.
    virtual WriteResult WritePicture(const std::string& fileName, std::string_view bytes,
                                     bool replace) const;
    // Removes every file of the folder not named here.
    virtual void KeepPictures(const std::vector<std::string>& fileNames) const;

    // Removes what a write cut short (the process killed, the machine down) left beside the data
    // files: a half-written copy that never replaced its file. Returns how many were removed;
    // one that cannot be removed stays, and is never read, as reads take only the exact names.
    // Only names of IsUnfinishedWriteOf's form go: the copies an earlier version left, named
    // like a parent's own "wordsBackup", stay, as there is no telling the two apart.
    int RemoveUnfinishedWrites() const;

    // Called with the file name before every read or write; lets a caller follow which files
    // are used, in which order.
    void OnRead(std::function<void(const std::string&)> observer) { onRead_ = std::move(observer); }
    void OnWrite(std::function<void(const std::string&)> observer) {
        onWrite_ = std::move(observer);
    }

protected:
    // Adds whole lines to the visit log's end, as Append has checked they are for it.
    virtual WriteResult AppendLog(const std::vector<std::string>& lines) const;
    void Told(const std::function<void(const std::string&)>& observer,
              const std::string& name) const {
        if (observer) {
            observer(name);
        }
    }
    std::string path_;
    std::function<void(const std::string&)> onRead_;
    std::function<void(const std::string&)> onWrite_;
};

}  // namespace storage
