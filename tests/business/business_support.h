#pragma once
// Small helpers of the business tests: fakes of the launcher and the picture decoder, a
// materials base built in code, and project files saved into a folder.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "business/project_file.h"
#include "model/ceiling.h"
#include "platform/image_codec.h"
#include "platform/launcher.h"
#include "storage/codepage.h"
#include "storage/material_base.h"
#include "support/fakes.h"

namespace tenzora {

class RecordingLauncher : public FakeLauncherBase {
  public:
    bool startProgram(const std::wstring& program, const std::vector<std::wstring>& arguments) override {
        started.push_back({program, arguments});
        return succeed;
    }
    bool openDocument(const std::wstring&) override { return false; }
    std::wstring selfPath() override { return L"/opt/tenzora/tenzora"; }

    struct Start {
        std::wstring program;
        std::vector<std::wstring> arguments;
    };
    std::vector<Start> started;
    bool succeed = true;
};

// Decodes the files whose path ends with ".png"; every other file is no picture.
class FakeImages : public ImageCodec {
  public:
    std::optional<Bitmap> decodeFile(const std::wstring& path) override {
        if (!path.ends_with(L".png")) return std::nullopt;
        Bitmap b;
        b.width = b.height = 1;
        b.pixels = {0xFFFFFFFF};
        return b;
    }
    bool encodeFile(const Bitmap&, ImageFormat, const std::wstring&) override { return false; }
};

inline Material material(int id, int groupId, bool isGroup, const std::wstring& name, double width = 320.0) {
    Material m;
    m.id = id;
    m.groupId = groupId;
    m.isGroup = isGroup ? 1 : 0;
    m.setName(codepage::toCp1251(name));
    m.width = width;
    return m;
}

// Group 1 "Матовые" with "Белый матовый" (2) and "Бежевый" (3); group 4 "Глянец" with
// "Белый матовый" (5), a fabric of the same name in another group.
inline TZMaterialBase sampleBase(const std::filesystem::path& programDir) {
    TZMaterialBase base;
    base.load(programDir); // nothing there: the base knows its file and starts empty
    base.append(material(1, 0, true, L"Матовые"));
    base.append(material(2, 1, false, L"Белый матовый"));
    base.append(material(3, 1, false, L"Бежевый", 500.0));
    base.append(material(4, 0, true, L"Глянец"));
    base.append(material(5, 4, false, L"Белый матовый"));
    return base;
}

// Saves a project using the base record `fabric` into the folder; `fill` sets the rest.
inline std::filesystem::path saveProjectUsing(const std::filesystem::path& folder,
                                              const std::string& fileName, const Material& fabric,
                                              double quantity, double offcuts,
                                              const std::function<void(TZCeiling&)>& fill = {}) {
    TestDocument t;
    t->material = fabric;
    t->materialQuantity = quantity;
    t->offcuts = offcuts;
    t->orderDate = L"12.03.2024";
    t->orderName = L"Кухня";
    t->client = L"Иванов И. И.";
    if (fill) fill(*t);
    const std::filesystem::path path = folder / codepage::toPath(codepage::fromUtf8(fileName));
    saveProject(*t, codepage::fromPath(path));
    return path;
}

} // namespace tenzora
