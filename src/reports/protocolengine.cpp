#include "protocolengine.h"

#include "reports/rtf/datasetadapter.h"

#include "data/dm.h"
#include "data/query.h"

namespace vintrel {

using namespace Qt::StringLiterals;

ProtocolEngine::ProtocolEngine(TDM &dm) : m_dm(dm)
{
    RepRTF1.Charset = 204;
    RepRTF1.Lang = 1049;
    RepRTF1.Options = TRepRTF::eoGraphicsBinary | TRepRTF::eoDotAsColon;
}

ProtocolEngine::~ProtocolEngine() = default;

void ProtocolEngine::addTable(Table &table)
{
    m_datasets.push_back(std::make_unique<DataSetAdapter>(table, m_dm.dataSource(&table)));
}

void ProtocolEngine::addDataSet(DataSet &set, DataSource *source)
{
    m_datasets.push_back(std::make_unique<DataSetAdapter>(set, source));
}

void ProtocolEngine::addQuery(const QString &sql)
{
    auto query = std::make_unique<Query>(m_dm.store());
    query->setObjectName(u"qr_Sql%1"_s.arg(m_queries.size() + 1));
    query->add(sql);
    query->open();
    m_datasets.push_back(std::make_unique<DataSetAdapter>(*query));
    m_queries.push_back(std::move(query));
}

void ProtocolEngine::executeAndOpen(int showCommand)
{
    std::vector<RepDataSet *> datasets;
    for (const auto &dataset : m_datasets)
        datasets.push_back(dataset.get());
    RepRTF1.ExecuteAndOpen(datasets, showCommand);
}

} // namespace vintrel
