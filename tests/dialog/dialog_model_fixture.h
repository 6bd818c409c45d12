// The settings dialog's model over a fake file system for the unit tests: the settings
// record an empty file loads to, a model that records every notification and reads back
// what a saving button writes, and a folder of three pictures.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "../engine/scene_settings.h"
#include "../settings/fake_file_system.h"
#include "../settings/ini_entry_printer.h"
#include "dialog/control_ids.h"
#include "dialog/dialog_model.h"
#include "settings/text_encoding.h"

namespace velnor::dialog_test {

using test::FakeFileSystem;

inline const std::string kPics = "pics";

inline std::string In(const std::string& name) {
    return kPics + kPathSeparator + name;
}

// The record LoadSettings makes from an empty file.
inline SaverSettings Defaults() {
    SaverSettings s = testing::DefaultSceneSettings();
    s.pictureKinds = {1, 1, 1, 1, 1};
    s.pictureSize = 1;
    s.pictureInterval = 30;
    s.useSample = 1;
    return s;
}

// A model over a fake file system, recording every notification.
struct Dialog {
    FakeFileSystem fs;
    std::vector<unsigned> changes;
    DialogModel model;

    explicit Dialog(const SaverSettings& settings = Defaults(), DateReading dates = {})
        : model(
              fs, [this](unsigned c) { changes.push_back(c); }, std::move(dates)) {
        model.Load(settings);
    }

    bool PreviewNotified() const {
        for (const unsigned c : changes) {
            if (c & kPreviewChanged) return true;
        }
        return false;
    }
    // What the button writes, by key as UTF-8.
    std::map<std::string, std::string> Written(int button = control_id::kSaveButton) const {
        std::map<std::string, std::string> out;
        for (const IniEntry& entry : model.EntriesToWrite(button)) {
            out[entry.key] = entry.value;
        }
        return out;
    }
};

inline void AddPictures(FakeFileSystem& fs) {
    fs.Add(kPics, ".", kAttributeDirectory);
    fs.Add(kPics, "a.bmp", kAttributeArchive);
    fs.Add(kPics, "b.gif", kAttributeArchive);
    fs.Add(kPics, "c.jpg", kAttributeArchive);
}

}  // namespace velnor::dialog_test
