// The format pane: containers and controls built in one call, and the comparisons of
// controls.

#include "models/FormatModels.h"

namespace {

// What every control built from its value shares: the property it edits, the command that
// applies it, and the redirect of that command to the formatting editor.
void SetUpControl(FormatControlPresModel& control, FormatWidgetKey key,
                  RefCntPtr<const SimpleCommandsPresModel> command) {
  control.SetWidgetKey(key);
  control.SetFormatCommand(std::move(command));
  control.SetCommandRedirectType(CommandRedirectType::CommandRedirectEditFormatting);
}

// Commands are the same when both are missing or both name the same command.
bool SameCommand(const RefCntPtr<const SimpleCommandsPresModel>& a, const RefCntPtr<const SimpleCommandsPresModel>& b) {
  if (!a || !b) return !a && !b;
  return a->GetCommand() == b->GetCommand();
}

}  // namespace

// ---- containers

FormatSectionPresModel::FormatSectionPresModel(const TString& name,
                                               const std::vector<RefCntPtr<const FormatItemPresModel>>& items)
    : FormatSectionPresModel() {
  SetName(name);
  SetItems(items);
}

CollapsibleSectionPresModel::CollapsibleSectionPresModel(const std::vector<RefCntPtr<const FormatItemPresModel>>& items)
    : CollapsibleSectionPresModel() {
  SetItems(items);
}

CompositeContainerPresModel::CompositeContainerPresModel(PickerType pickerType,
                                                         const std::vector<RefCntPtr<const FormatItemPresModel>>& items)
    : CompositeContainerPresModel() {
  SetPickerType(pickerType);
  SetItems(items);
}

UnitContainerPresModel::UnitContainerPresModel(const TString& label, bool isChanged,
                                               const std::vector<RefCntPtr<const FormatItemPresModel>>& items)
    : UnitContainerPresModel() {
  SetLabel(label);
  SetIsChanged(isChanged);
  SetItems(items);
}

// ---- controls

NumericControlPresModel::NumericControlPresModel(int value, FormatWidgetKey key,
                                                 RefCntPtr<const SimpleCommandsPresModel> command)
    : NumericControlPresModel() {
  SetUpControl(*this, key, std::move(command));
  SetValue(static_cast<unsigned int>(value));
}

TextControlPresModel::TextControlPresModel(const TString& value, FormatWidgetKey key,
                                           RefCntPtr<const SimpleCommandsPresModel> command)
    : TextControlPresModel() {
  SetUpControl(*this, key, std::move(command));
  SetValue(value);
}

ColorControlPresModel::ColorControlPresModel(const ColorObject& value, FormatWidgetKey key,
                                             RefCntPtr<const SimpleCommandsPresModel> command, bool canBeAuto,
                                             bool canBeNone, bool canMatchMarkColor, bool hasOpacity,
                                             ColorSwatchType swatchType)
    : ColorControlPresModel() {
  SetUpControl(*this, key, std::move(command));
  SetValue(value);
  SetCanBeAuto(canBeAuto);
  SetCanBeNone(canBeNone);
  SetCanMatchMarkColor(canMatchMarkColor);
  SetHasOpacity(hasOpacity);
  SetColorSwatchType(swatchType);
}

SelectorControlPresModel::SelectorControlPresModel(const TString& value, FormatWidgetKey key,
                                                   RefCntPtr<const SimpleCommandsPresModel> command)
    : SelectorControlPresModel() {
  SetUpControl(*this, key, std::move(command));
  SetValue(value);
}

ToggleControlPresModel::ToggleControlPresModel(bool value, FormatWidgetKey key,
                                               RefCntPtr<const SimpleCommandsPresModel> command)
    : ToggleControlPresModel() {
  SetUpControl(*this, key, std::move(command));
  SetValue(value);
}

ButtonControlPresModel::ButtonControlPresModel(const TString& label, FormatWidgetKey key,
                                               RefCntPtr<const SimpleCommandsPresModel> command)
    : ButtonControlPresModel() {
  SetUpControl(*this, key, std::move(command));
  SetLabel(label);
}

DisplayControlPresModel::DisplayControlPresModel(const RefCntPtr<const DisplayFormatPresModel>& value,
                                                 FormatWidgetKey key,
                                                 RefCntPtr<const SimpleCommandsPresModel> command)
    : DisplayControlPresModel() {
  SetUpControl(*this, key, std::move(command));
  SetValue(value);
}

SliderControlPresModel::SliderControlPresModel(const RefCntPtr<const SliderFormatPresModel>& value,
                                               FormatWidgetKey key, RefCntPtr<const SimpleCommandsPresModel> command)
    : SliderControlPresModel() {
  SetUpControl(*this, key, std::move(command));
  SetValue(value);
}

// ---- comparisons: what the control edits and how, not its state on screen (IsEnabled)
// nor its place in the pane (WidgetIdentifier)

bool FormatControlPresModel::operator==(const FormatControlPresModel& other) const {
  return SameCommand(GetFormatCommand(), other.GetFormatCommand()) && GetWidgetKey() == other.GetWidgetKey() &&
         GetTypeOfFormatControl() == other.GetTypeOfFormatControl() &&
         GetCommandRedirectType() == other.GetCommandRedirectType();
}

namespace {
const FormatControlPresModel& Base(const FormatControlPresModel& control) { return control; }
}  // namespace

bool NumericControlPresModel::operator==(const NumericControlPresModel& other) const {
  return Base(*this) == other && GetValue() == other.GetValue();
}

bool TextControlPresModel::operator==(const TextControlPresModel& other) const {
  return Base(*this) == other && GetValue() == other.GetValue();
}

// The palette choice is a matter of the picker, not of the colour edited.
bool ColorControlPresModel::operator==(const ColorControlPresModel& other) const {
  return Base(*this) == other && GetValue() == other.GetValue() && GetCanBeAuto() == other.GetCanBeAuto() &&
         GetCanBeNone() == other.GetCanBeNone() && GetCanMatchMarkColor() == other.GetCanMatchMarkColor() &&
         GetHasOpacity() == other.GetHasOpacity() && GetColorSwatchType() == other.GetColorSwatchType();
}

bool SelectorControlPresModel::operator==(const SelectorControlPresModel& other) const {
  return Base(*this) == other && GetValue() == other.GetValue();
}

bool ToggleControlPresModel::operator==(const ToggleControlPresModel& other) const {
  return Base(*this) == other && GetValue() == other.GetValue();
}

bool ButtonControlPresModel::operator==(const ButtonControlPresModel& other) const {
  return Base(*this) == other && GetLabel() == other.GetLabel();
}

// The nested formats are compared as objects: the same format, not an equal one.
bool DisplayControlPresModel::operator==(const DisplayControlPresModel& other) const {
  return Base(*this) == other && GetValue().get() == other.GetValue().get();
}

bool SliderControlPresModel::operator==(const SliderControlPresModel& other) const {
  return Base(*this) == other && GetValue().get() == other.GetValue().get();
}
