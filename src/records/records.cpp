#include "records/records.h"

Records::Records(SharedState& state, const Clock& clock, Sleeper& sleeper, MessageBox& messages,
                 ProgramExit& exit, FileCalls* calls)
    : m_calls(calls ? *calls : m_posixCalls), m_tables(std::make_unique<ResultTables>()),
      m_writer(m_calls, sleeper), m_loader(state, m_calls, sleeper, messages, exit),
      m_statistics(state, *m_tables, m_loader, clock),
      m_recorder(state, *m_tables, m_writer, clock, messages, exit)
{
}
