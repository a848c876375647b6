// The settings record: every user-adjustable parameter, its defaults, and its 172-byte file form
// (a header word followed by 42 little-endian four-byte words, ints and IEEE floats).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The three camera modes of `cameraMode`: the view wanders by itself, follows the mouse, or stays put.
enum CameraMode { kCameraAuto = 0, kCameraManual = 1, kCameraHold = 2, kCameraModeCount = 3 };

class PrefsRecord {
  public:
    static constexpr int kWordCount = 43;
    static constexpr size_t kFileSize = kWordCount * 4;
    static constexpr uint32_t kHeaderWord = 0x0041E52C;

    virtual ~PrefsRecord() = default;

    // Words 1..42 back to their defaults, except the camera mode (start-up forces it).
    // imageIndex is drawn at random by the caller; it is left alone here.
    void setDefaults();
    // Values that index arrays or size meshes are brought into range; non-finite floats get
    // their defaults. Used on everything read from a file.
    void makeSafe();

    void toBytes(uint8_t out[kFileSize]) const;
    // Reads words 1..42 from a 172-byte image; the own header word is kept.
    void fromBytes(const uint8_t in[kFileSize]);

    // 0 = done, 1 = failed. The file is "<baseName>.pref" in the working folder.
    // bytesRead, when given, receives the bytes the load read (a ride keeps them).
    int loadPrefs(const char* baseName, std::vector<uint8_t>* bytesRead = nullptr);
    // The load's second half: the first kFileSize bytes of a file's contents.
    int loadPrefsBytes(const uint8_t* bytes, size_t size);
    int savePrefs(const char* baseName) const;

    uint32_t header = kHeaderWord;
    int fovDegrees = 0;
    int fullScreen = 0;
    int letterbox = 0;
    int tessellation = 0;
    int universeOn = 0;
    int screenClear = 0;
    int spotlightsOn = 0;
    int texturesOn = 0;
    int polygonMode = 0;
    int cameraMode = 0;
    int bumpOption = 0;
    int imageIndex = 0;
    int fpsClockOn = 0;
    int spare14 = 0;
    int depthCueFog = 0;
    int spare16 = 0;
    float rotateSpeed = 0.0f;
    float moveSpeed = 0.0f;
    float cameraZ = 0.0f;
    float objectSize = 0.0f;
    float spare21 = 0.0f;
    float spare22 = 0.0f;
    float mainSpeed = 0.0f;
    float heightScale = 0.0f;
    float damping = 0.0f;
    float textureMag = 0.0f;
    float fogStart = 0.0f;
    float fogEnd = 0.0f;
    float bumpResponse = 0.0f;
    float fadeEffect = 0.0f;
    float lightRotateSpeed = 0.0f;
    float mouseSensitivity = 0.0f;
    float moveSensitivity = 0.0f;
    float spare34 = 0.0f;
    float spare35 = 0.0f;
    float spare36 = 0.0f;
    float spare37 = 0.0f;
    float ambient = 0.0f;
    float diffuse = 0.0f;
    float specular = 0.0f;
    float reflective = 0.0f;
    float shininess = 0.0f;
};

// One row of the settings table: a field of the record, in file order (word 1 first).
struct PrefsField {
    const char* name;
    int PrefsRecord::*intField;  // exactly one of the two member pointers is set
    float PrefsRecord::*floatField;
    float defaultValue;
    // Range enforced on values read from a file (min > max means unchecked).
    int safeMin;
    int safeMax;
};

extern const PrefsField kPrefsFields[PrefsRecord::kWordCount - 1];
