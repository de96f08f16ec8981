#include "zozed/toolkit/layout/layout_vocabulary.h"

#include <array>

namespace zozed::layout {

namespace {

using T = ValueType;

constexpr CodeEntry kOrientationCodes[] = {{"Vertical", 0}, {"Horizontal", 1}, {"Static", 2}};
constexpr CodeEntry kHAlignmentCodes[] = {{"Left", 0}, {"Right", 1}, {"Center", 2}, {"Spread", 3}};
constexpr CodeEntry kVAlignmentCodes[] = {{"Top", 0}, {"Bottom", 1}, {"Center", 2}, {"Spread", 3}};
constexpr CodeEntry kMethodCodes[] = {{"Blit", 0}, {"Tile", 1}, {"VTile", 2}, {"HTile", 3}, {"Stretch", 4}};

constexpr CodeList kOrientation{kOrientationCodes, 2};
constexpr CodeList kHAlignment{kHAlignmentCodes, std::nullopt};
constexpr CodeList kVAlignment{kVAlignmentCodes, std::nullopt};
constexpr CodeList kMethod{kMethodCodes, std::nullopt};

#define COMMON_ATTRIBUTES                                                                      \
  {"name", T::Text}, {"visible", T::Boolean}, {"enabled", T::Boolean}, {"softSize", T::Boolean}, \
      {"delayedCreation", T::Boolean}

constexpr AttributeRule kNone[] = {{"", T::Text}};
constexpr AttributeRule kNameOnly[] = {{"name", T::Text}};
constexpr AttributeRule kLayout[] = {COMMON_ATTRIBUTES,
                                     {"orientation", T::Code, &kOrientation},
                                     {"hAlignment", T::Code, &kHAlignment},
                                     {"vAlignment", T::Code, &kVAlignment}};
constexpr AttributeRule kCommon[] = {COMMON_ATTRIBUTES};
constexpr AttributeRule kImage[] = {COMMON_ATTRIBUTES,      {"source", T::Text},     {"fileName", T::Text},
                                    {"method", T::Code, &kMethod}, {"doAlpha", T::Boolean}, {"x", T::Integer},
                                    {"y", T::Integer},       {"width", T::Integer},   {"height", T::Integer}};
constexpr AttributeRule kControl[] = {
    COMMON_ATTRIBUTES, {"itemID", T::Integer}, {"progID", T::Text}, {"uiName", T::Text}, {"tabOrder", T::Integer}};
constexpr AttributeRule kWindowsControl[] = {COMMON_ATTRIBUTES,        {"itemID", T::Integer},
                                             {"windowClassName", T::Text}, {"windowName", T::PropertyValue},
                                             {"windowStyle", T::Text}, {"windowExStyle", T::Text},
                                             {"windowRef", T::Text}};
constexpr AttributeRule kWindowUiElement[] = {COMMON_ATTRIBUTES,         {"activeBackgrnd", T::Text},
                                              {"inactiveBackgrnd", T::Text}, {"transparent", T::Boolean},
                                              {"hScroll", T::Boolean},   {"vScroll", T::Boolean},
                                              {"hitArea", T::Text},      {"workArea", T::Text}};
constexpr AttributeRule kHitObject[] = {COMMON_ATTRIBUTES,    {"hitID", T::Integer},   {"hitStates", T::Text},
                                        {"stateID", T::Integer}, {"faceStyle", T::Text}, {"soundID", T::Integer},
                                        {"toolTip", T::PropertyValue}};
constexpr AttributeRule kOrigin[] = {{"x", T::PositionX}, {"y", T::PositionY}};
constexpr AttributeRule kSize[] = {{"width", T::Size}, {"height", T::Size}};
constexpr AttributeRule kEdges[] = {
    {"left", T::Integer}, {"top", T::Integer}, {"right", T::Integer}, {"bottom", T::Integer}};
constexpr AttributeRule kProperty[] = {{"name", T::Text}, {"parameterName", T::Text}, {"value", T::PropertyValue}};
constexpr AttributeRule kInclude[] = {{"fileName", T::Text}};
constexpr AttributeRule kColor[] = {{"red", T::Integer}, {"green", T::Integer}, {"blue", T::Integer}};
constexpr AttributeRule kText[] = {{"string", T::PropertyValue},
                                   {"textStyle", T::Text},
                                   {"hAlignment", T::Code, &kHAlignment},
                                   {"vAlignment", T::Code, &kVAlignment}};
constexpr AttributeRule kFaceStyle[] = {{"name", T::Text},          {"fileName", T::Text},   {"numberOfFaces", T::Integer},
                                        {"edgeSize", T::Integer},   {"detailSize", T::Integer}, {"doAlpha", T::Boolean},
                                        {"hitAreaStyle", T::Text}};
constexpr AttributeRule kSounds[] = {{"clicked", T::Text}, {"hovered", T::Text}, {"disabled", T::Text}};
constexpr AttributeRule kLightSource[] = {{"x", T::Integer}, {"y", T::Integer}, {"power", T::Integer}};

#undef COMMON_ATTRIBUTES

constexpr std::string_view kNoChildren[] = {""};
constexpr std::string_view kRootChildren[] = {"include", "colorObject", "template", "faceStyle"};
constexpr std::string_view kTemplateChildren[] = {"faceStyle"};
constexpr std::string_view kGeometryOnly[] = {"geometry"};
constexpr std::string_view kLayoutChildren[] = {"geometry", "margins", "spacing", "items", "layoutItems"};
constexpr std::string_view kControlChildren[] = {"geometry", "properties"};
constexpr std::string_view kWindowUiChildren[] = {"geometry", "text", "titles", "title"};
constexpr std::string_view kHitObjectChildren[] = {"geometry", "text"};
constexpr std::string_view kGeometryChildren[] = {"origin", "size", "minimalSize", "maximalSize", "padding"};
constexpr std::string_view kPropertiesChildren[] = {"property", "propertyArray"};
constexpr std::string_view kPropertyArrayChildren[] = {"property"};
constexpr std::string_view kColorChild[] = {"color"};
constexpr std::string_view kTitlesChildren[] = {"title"};
constexpr std::string_view kFaceStyleChildren[] = {"sounds", "lightSource"};

// A one-entry list with an empty name stands for "nothing" (C++ has no empty arrays).
constexpr std::span<const AttributeRule> attrs(std::span<const AttributeRule> list) {
  return list.size() == 1 && list[0].name.empty() ? std::span<const AttributeRule>{} : list;
}
constexpr std::span<const std::string_view> kids(std::span<const std::string_view> list) {
  return list.size() == 1 && list[0].empty() ? std::span<const std::string_view>{} : list;
}

const ElementRule kRules[] = {
    {kRootElement, attrs(kNone), kids(kRootChildren), true},
    {"template", attrs(kNameOnly), kids(kTemplateChildren), true},
    {"include", attrs(kInclude), kids(kNoChildren)},
    {"colorObject", attrs(kNameOnly), kids(kColorChild)},
    {"color", attrs(kColor), kids(kNoChildren)},
    {"layout", attrs(kLayout), kids(kLayoutChildren)},
    {"image", attrs(kImage), kids(kGeometryOnly)},
    {"control", attrs(kControl), kids(kControlChildren)},
    {"windowsControl", attrs(kWindowsControl), kids(kGeometryOnly)},
    {"windowUiElement", attrs(kWindowUiElement), kids(kWindowUiChildren)},
    {"hitObject", attrs(kHitObject), kids(kHitObjectChildren)},
    {"splitter", attrs(kCommon), kids(kGeometryOnly)},
    {"items", attrs(kNone), kids(kNoChildren), true},
    {"layoutItems", attrs(kNone), kids(kNoChildren), true},
    {"geometry", attrs(kNone), kids(kGeometryChildren)},
    {"origin", attrs(kOrigin), kids(kNoChildren)},
    {"size", attrs(kSize), kids(kNoChildren)},
    {"minimalSize", attrs(kSize), kids(kNoChildren)},
    {"maximalSize", attrs(kSize), kids(kNoChildren)},
    {"spacing", attrs(kSize), kids(kNoChildren)},
    {"padding", attrs(kEdges), kids(kNoChildren)},
    {"margins", attrs(kEdges), kids(kNoChildren)},
    {"properties", attrs(kNone), kids(kPropertiesChildren)},
    {"property", attrs(kProperty), kids(kNoChildren), false, true},
    {"propertyArray", attrs(kNameOnly), kids(kPropertyArrayChildren)},
    {"text", attrs(kText), kids(kColorChild)},
    {"titles", attrs(kNone), kids(kTitlesChildren)},
    {"title", attrs(kText), kids(kNoChildren)},
    {"faceStyle", attrs(kFaceStyle), kids(kFaceStyleChildren)},
    {"sounds", attrs(kSounds), kids(kNoChildren)},
    {"lightSource", attrs(kLightSource), kids(kNoChildren)},
};

}  // namespace

const ElementRule* find_element_rule(std::string_view element) {
  for (const auto& rule : kRules)
    if (rule.element == element) return &rule;
  return nullptr;
}

std::optional<std::int32_t> find_code(const CodeList& list, std::string_view text) {
  for (const auto& [keyword, code] : list.codes)
    if (keyword == text) return code;
  return list.otherwise;
}

}  // namespace zozed::layout
