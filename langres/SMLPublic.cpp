#include "SMLPublic.h"

#include "PropertyAccess.h"
#include "PropertyAliases.h"

bool HasProperty(QObject* component, QStringView propertyName)
{
    return FindMetaProperty(component, propertyName).isValid() ||
           FindAlias(component, propertyName).has_value();
}
