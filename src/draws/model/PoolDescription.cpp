#include "draws/model/PoolDescription.h"

#include "draws/model/StepCounts.h"

namespace tiravo {

QStringList PoolDescription::winnersSql() const {
    return {QStringLiteral("Select *"), QStringLiteral("From %1").arg(table),
            QStringLiteral("Where Ativo=True and Ok=False"), QStringLiteral("Order by Sorte Desc")};
}

const PoolDescription& NumberPool() {
    static const PoolDescription pool = [] {
        PoolDescription numbers{.name = QStringLiteral("numeros"),
                                .table = QStringLiteral("TbNumero"),
                                .entryColumn = QStringLiteral("Numero"),
                                .entry = NumberEntries()};
        // Every number leaves the winners list and the pool at once.
        numbers.clearSql = {
            QStringLiteral("UPDATE TbNumero SET Ativo = False,  Ok=False, Sorte=Null")};
        numbers.draw.needOneEntry =
            QStringLiteral("Você necessita ter cadastrado no mínimo UM Número!");
        numbers.draw.stepCount = TensOfSecondsStepCount;
        numbers.draw.run = [](int poolSize, int steps) {
            if (poolSize <= 3)
                return DrawRun::nothing();
            if (poolSize <= 10)
                return DrawRun::skipSteps(steps);
            return DrawRun::frames(12, 70);
        };
        // Only the number pool keeps Ativo as "listed among the winners".
        numbers.draw.winnerFlag = WinnerFlag::OkPlaceAndActive;
        numbers.draw.entry = numbers.entry;
        // The number screen has always asked for three "Nomes".
        numbers.pick.needThreeEntries =
            QStringLiteral("Você necessita ter cadastrado no mínimo três Nomes!");
        numbers.pick.entry = numbers.entry;
        return numbers;
    }();
    return pool;
}

const PoolDescription& NamePool() {
    static const PoolDescription pool = [] {
        PoolDescription names{.name = QStringLiteral("nomes"),
                              .table = QStringLiteral("TbNome"),
                              .entryColumn = QStringLiteral("Nome"),
                              .entry = NameEntries()};
        names.draw.needOneEntry =
            QStringLiteral("Você necessita ter cadastrado no mínimo UM Nome!");
        names.draw.stepCount = SecondsStepCount;
        // The roll is as long whatever the pool: the audience reads the names.
        names.draw.run = [](int, int) { return DrawRun::frames(32, 70); };
        names.draw.suspenseMilliseconds = 2000;
        names.draw.entry = names.entry;
        names.pick.needThreeEntries =
            QStringLiteral("Você necessita ter cadastrado no mínimo três Nomes!");
        names.pick.entry = names.entry;
        return names;
    }();
    return pool;
}

const PoolDescription& PhotoPool() {
    static const PoolDescription pool = [] {
        PoolDescription photos{.name = QStringLiteral("fotos"),
                               .table = QStringLiteral("TbFoto"),
                               .entryColumn = QStringLiteral("Foto"),
                               .entry = PhotoEntries()};
        photos.draw.needOneEntry =
            QStringLiteral("Você necessita ter cadastrado no mínimo UMA Foto!");
        photos.draw.stepCount = SecondsStepCount;
        photos.draw.run = [](int, int) { return DrawRun::frames(12, 70); };
        photos.draw.suspenseMilliseconds = 1500;
        // The winner is a picture of its own, not an entry over the frame.
        photos.draw.revealOnPlainFrame = false;
        photos.draw.entry = photos.entry;
        photos.pick.needThreeEntries =
            QStringLiteral("Você necessita ter cadastrado no mínimo três fotos!");
        photos.pick.frameMilliseconds = 100;
        photos.pick.entry = photos.entry;
        return photos;
    }();
    return pool;
}

const std::array<const PoolDescription*, 3>& Pools() {
    static const std::array<const PoolDescription*, 3> pools = {&NumberPool(), &NamePool(),
                                                                &PhotoPool()};
    return pools;
}

const PoolDescription* PoolNamed(const QString& name) {
    for (const PoolDescription* pool : Pools())
        if (pool->name == name)
            return pool;
    return nullptr;
}

const PoolDescription* PoolOfTable(const QString& table) {
    for (const PoolDescription* pool : Pools())
        if (pool->table.compare(table, Qt::CaseInsensitive) == 0)
            return pool;
    return nullptr;
}

} // namespace tiravo
