#ifndef KZCOMMON12R_VARIABLES_IKZVARIABLE_H
#define KZCOMMON12R_VARIABLES_IKZVARIABLE_H

#include <fstream>
#include <iosfwd>
#include <string>

#include "kzcommon12r/kzcommon12r_export.h"

namespace KzXML_1_2 {

class IKzEncoder;
class XMLElement;

/// One field of the data a model is built from: name, label, measurement
/// level, role, storage type and the encoder that turns its raw values into
/// the numbers the analysis uses. A variable owns its encoder and its
/// field-format element. The virtual operations keep this declaration order.
class KZ_EXPORT IKzVariable {
 public:
  /// Measurement level (stored as int in the object stream).
  enum MeasureLevel {
    mlUnknown = 0,
    mlContinuous = 1,
    mlNumericCategorical = 2,
    mlStringCategorical = 3,
    mlFrequencyWeight = 4
  };
  /// Role of the variable in the model.
  enum VariableRole {
    roleUndefined = 0,
    roleTarget = 1,
    roleTargetResponse = 2,
    roleFrequencyWeight = 3,
    roleInput = 4,
    rolePossibleInput = 5,
    roleUnused = 6,
    roleRecordId = 7
  };
  /// Storage type of the raw values.
  enum VariableStorage {
    storageUndefined = 0,
    storageInteger = 1,
    storageReal = 2,
    storageString = 3,
    storageDate = 4,
    storageTime = 5,
    storageTimestamp = 6
  };
  /// How a frequency weight is made whole.
  enum WRoundingOption { roundTruncate = 0, roundClosest = 1, roundAsIs = 2 };
  /// Result of GetVarStatus.
  enum VarStatus {
    varUsable = 0,    ///< at least two categories, or a non-empty range
    varConstant = 1,  ///< exactly one category, or minimum == maximum
    varEmpty = 2      ///< no category, or minimum > maximum
  };

  virtual ~IKzVariable();

  virtual MeasureLevel GetMeasureLevel() const = 0;
  virtual std::string GetVariableName() const = 0;
  virtual std::string GetVariableLabel() const = 0;
  virtual void SetVariableLabel(const std::string& label) = 0;
  virtual int GetNumberOfCategories() const = 0;
  virtual VariableRole GetVariableRole() const = 0;
  virtual void SetVariableRole(VariableRole role) = 0;
  virtual VariableStorage GetVariableStorage() const = 0;
  virtual void SetVariableStorage(VariableStorage storage) = 0;
  /// Takes ownership of `element` (null clears it).
  virtual void SetFieldFormatElement(XMLElement* element) = 0;
  virtual const XMLElement* GetFieldFormatElement() const = 0;
  virtual XMLElement* GetFieldFormatElement() = 0;
  virtual int UpdateNumberOfCategories() = 0;
  virtual void SetMissingValueReplacement(const std::string& replacement) = 0;
  /// The replacement, or null when none is set; owned by the variable.
  virtual const std::string* GetMissingValueReplacement() const = 0;
  /// A deep copy owned by the caller.
  virtual IKzVariable* Clone() const = 0;
  virtual const IKzEncoder* GetEncoder() const = 0;
  virtual IKzEncoder* GetEncoder() = 0;
  virtual VarStatus GetVarStatus() = 0;
  /// Writes the variable's object at nesting `level`; returns the elements written.
  virtual int WriteObjectXML(std::ostream& os, int level) const = 0;
  /// Reads the variable's object; returns the elements consumed. On failure
  /// writes "Failure reading <class>!\n" to standard error and throws a new
  /// IOException by pointer.
  virtual int ReadObjectXML(std::ifstream& in) = 0;
  virtual void Display() const = 0;

 protected:
  IKzVariable() = default;
  IKzVariable(const IKzVariable&) = default;
  IKzVariable& operator=(const IKzVariable&) = default;
};

}  // namespace KzXML_1_2

#endif  // KZCOMMON12R_VARIABLES_IKZVARIABLE_H
