// Writing the generator's files: the pictures, the tunes and the icon files,
// each reported by name when it cannot be written.
#include "assets.h"

#include "cursors.h"
#include "midi.h"
#include "pictures.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

void reportWriteFailure(const std::string& path, const char* reason)
{
    std::fprintf(stderr, "tavrenne-assets: cannot write %s: %s\n", path.c_str(), reason);
}

static const char* lastError()
{
    return errno ? std::strerror(errno) : "write failed";
}

bool writeFileBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    errno = 0;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        reportWriteFailure(path, lastError());
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fclose(file) == 0 && ok;
    if (!ok)
        reportWriteFailure(path, lastError());
    return ok;
}

bool writePictures(const std::string& datDir)
{
    for (int i = 0; i < pictureAssetCount; ++i) {
        std::string path = datDir + "/" + pictureAssets[i].fileName;
        errno = 0;
        if (!writeBmp(path, pictureAssets[i].paint())) {
            reportWriteFailure(path, lastError());
            return false;
        }
    }
    return true;
}

bool writeMusic(const std::string& datDir)
{
    for (int t = 0; t < tuneCount; ++t) {
        std::string path = datDir + "/" + tunes[t]->fileName;
        std::string error;
        std::vector<uint8_t> bytes = encodeTune(*tunes[t], &error);
        if (bytes.empty()) {
            reportWriteFailure(path, error.c_str());
            return false;
        }
        if (!writeFileBytes(path, bytes))
            return false;
    }
    return true;
}

bool writeIconFiles(const std::string& resDir)
{
    for (int i = 0; i < iconPictureCount; ++i) {
        std::string path = resDir + "/" + iconPictures[i].fileName;
        if (!writeFileBytes(path, encodeIconFile(iconPictures[i].make())))
            return false;
    }
    return true;
}

bool writeTargetIcon(const std::string& icoPath)
{
    return writeFileBytes(icoPath, encodeIconFile(makeTargetIcon()));
}
