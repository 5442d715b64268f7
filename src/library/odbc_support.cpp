#include "library/odbc_support.h"

#include <algorithm>

namespace tessera::odbc {

std::string diagnostic(SQLSMALLINT handleType, SQLHANDLE handle) {
    if (handle == nullptr)
        return {};
    SQLCHAR state[6] = {0};
    SQLINTEGER nativeError = 0;
    SQLCHAR message[1024] = {0};
    SQLSMALLINT length = 0;
    const SQLRETURN rc = SQLGetDiagRec(handleType, handle, 1, state, &nativeError, message, sizeof message, &length);
    if (!SQL_SUCCEEDED(rc))
        return {};
    return std::string(reinterpret_cast<char*>(state)) + ": " + reinterpret_cast<char*>(message);
}

std::string sqlState(SQLSMALLINT handleType, SQLHANDLE handle) {
    if (handle == nullptr)
        return {};
    SQLCHAR state[6] = {0};
    SQLINTEGER nativeError = 0;
    SQLCHAR message[8] = {0};
    SQLSMALLINT length = 0;
    const SQLRETURN rc = SQLGetDiagRec(handleType, handle, 1, state, &nativeError, message, sizeof message, &length);
    if (!SQL_SUCCEEDED(rc))
        return {};
    return reinterpret_cast<char*>(state);
}

SQLRETURN bindParameters(SQLHSTMT statement, const std::vector<SqlParameter>& parameters,
                         std::vector<SQLLEN>& indicators) {
    indicators.assign(parameters.size(), 0);
    for (size_t k = 0; k < parameters.size(); ++k) {
        const auto number = static_cast<SQLUSMALLINT>(k + 1);
        SQLRETURN rc;
        if (const auto* value = std::get_if<std::string>(&parameters[k])) {
            indicators[k] = static_cast<SQLLEN>(value->size());
            rc = SQLBindParameter(statement, number, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR,
                                  std::max<SQLULEN>(value->size(), 1), 0, const_cast<char*>(value->data()),
                                  static_cast<SQLLEN>(value->size()), &indicators[k]);
        } else if (const auto* blob = std::get_if<SqlBytes>(&parameters[k])) {
            indicators[k] = static_cast<SQLLEN>(blob->bytes.size());
            rc = SQLBindParameter(statement, number, SQL_PARAM_INPUT, SQL_C_BINARY, SQL_LONGVARBINARY,
                                  std::max<SQLULEN>(blob->bytes.size(), 1), 0, const_cast<char*>(blob->bytes.data()),
                                  static_cast<SQLLEN>(blob->bytes.size()), &indicators[k]);
        } else {
            const auto& integer = std::get<int64_t>(parameters[k]);
            rc = SQLBindParameter(statement, number, SQL_PARAM_INPUT, SQL_C_SBIGINT, SQL_BIGINT, 0, 0,
                                  const_cast<int64_t*>(&integer), 0, &indicators[k]);
        }
        if (!SQL_SUCCEEDED(rc))
            return rc;
    }
    return SQL_SUCCESS;
}

SQLRETURN executeStatement(SQLHSTMT statement, const std::string& sql, const std::vector<SqlParameter>& parameters,
                           std::vector<SQLLEN>& indicators) {
    auto* text = reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str()));
    if (parameters.empty())
        return SQLExecDirect(statement, text, static_cast<SQLINTEGER>(sql.size()));
    SQLRETURN rc = SQLPrepare(statement, text, static_cast<SQLINTEGER>(sql.size()));
    if (!SQL_SUCCEEDED(rc))
        return rc;
    rc = bindParameters(statement, parameters, indicators);
    if (!SQL_SUCCEEDED(rc))
        return rc;
    return SQLExecute(statement);
}

}  // namespace tessera::odbc
