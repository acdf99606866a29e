#include "env/MessageTexts.h"

#include <algorithm>

#include "automation/Error.h"

namespace zelva::env {

const std::vector<std::pair<int, std::string>>& AllMessageTexts() {
    static const std::vector<std::pair<int, std::string>> table = {
        {1000, "自定义螺纹"},
        {1001, "Normativa"},
        {1002, "Diametro"},
        {1005, "确定"},
        {1006, "Annulla"},
        {1007, "Lunghezza"},
        {1008, "Passo"},
        {1010, "Imposta lo smusso al termine del filetto"},
        {1015, "Selezionare il margine rispetto al quale posizionare il perno filettato"},
        {1016, "设计环境单位要设置成毫米才能使用这个工具."},
        {1040, "自定义螺纹"},
        {2000, "自定义螺纹"},
        {2001, "标准名称"},
        {2002, "直径"},
        {2005, "确定"},
        {2006, "取消"},
        {2007, "长度"},
        {2008, "螺距"},
        {2010, "端部倒角"},
        {2015, "选择一条边用来定义螺纹"},
        {2016, "设计环境单位要设置成毫米才能使用这个工具."},
        {2040, "自定义螺纹"},
        {3000, "自定义螺纹"},
        {3001, "Norm"},
        {3002, "直径"},
        {3005, "确定"},
        {3006, "Abbrechen"},
        {3007, "Lenght"},
        {3008, "螺距"},
        {3009, "预览"},
        {3010, "端部倒角"},
        {3015, "请选择一条边来定义螺纹."},
        {3016, "设计环境单位要设置成毫米才能使用这个工具."},
        {3040, "自定义螺纹"},
    };
    return table;
}

std::string MessageText(int id) {
    const auto& table = AllMessageTexts();
    const auto it = std::lower_bound(table.begin(), table.end(), id,
                                     [](const auto& entry, int key) { return entry.first < key; });
    if (it == table.end() || it->first != id) throw Error::runtime(err::InvalidCall);
    return it->second;
}

}  // namespace zelva::env
