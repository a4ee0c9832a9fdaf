// One loaded style package: its skins (in file order), the property models of each style
// class, the layout metrics and the standard images, read from a loose folder or an archive
// through a ResourceSource, and the rules for handing them to one element.
#pragma once

#include "data/xml_document.h"
#include "imaging/pixel_image.h"
#include "ui/style/skin.h"
#include "ui/style/style_ids.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace scalora {

class ResourceSource;

// How a decoded style image is kept: premultiplied for drawing on the canvas, straight for
// handing to the window system (icons, cursors).
enum class StyleImageAlpha { Premultiplied, Straight };

// Decodes a PNG (or any image file the codecs know); false when the bytes are not an image.
[[nodiscard]] bool decodeStyleImage(std::string_view bytes, PixelImage& out,
                                    StyleImageAlpha alpha = StyleImageAlpha::Premultiplied);

class UIStyle {
public:
    enum class SourceMode { Undetermined = 0, LooseFolder = 1, ArchiveFile = 2 };

    using PropertySink = std::function<void(const std::string& name, const std::string& value)>;
    using SkinSink = std::function<void(const std::string& name, const UISkin& skin)>;

    // Reads the standard images, skins.xml, models.xml and metrics.xml from the source. True
    // only when all three descriptions were read and path, standard images, skins and metrics
    // are all non-empty. Why it failed is in errorText().
    [[nodiscard]] bool load(const ResourceSource& source, std::string path, SourceMode mode);

    const std::string& path() const { return path_; }
    SourceMode sourceMode() const { return mode_; }
    const std::string& errorText() const { return error_; }

    // The value of a metric, 0 when the style has none.
    std::int32_t metric(StyleMetric metric) const;
    // A standard image (premultiplied), or null when the package lacks it.
    const PixelImage* standardImage(StandardImage image) const;
    std::shared_ptr<const PixelImage> sharedStandardImage(StandardImage image) const;
    const std::vector<UISkin>& skins() const { return skins_; }
    const UISkin* skin(std::string_view name) const;
    const XmlDocument& models() const { return models_; }

    // Hands the style to an element of a style class: first every property of the model
    // named after the class (in document order), then every skin whose name starts with the
    // class name (in file order). The class "^" takes the children of the models element
    // themselves as properties.
    void applyTo(std::string_view styleClass, const PropertySink& property,
                 const SkinSink& skin) const;

private:
    [[nodiscard]] bool readXml(const ResourceSource& source, std::string_view file,
                               std::string_view rootName, XmlDocument& doc);
    void readStandardImages(const ResourceSource& source);
    [[nodiscard]] bool readSkins(const ResourceSource& source);
    [[nodiscard]] bool readMetrics(const ResourceSource& source);

    std::string path_;
    SourceMode mode_ = SourceMode::Undetermined;
    std::map<StandardImage, std::shared_ptr<const PixelImage>> standardImages_;
    std::vector<UISkin> skins_;
    std::vector<std::pair<StyleMetric, std::int32_t>> metrics_; // file order, first wins
    XmlDocument models_;
    std::string error_;
};

} // namespace scalora
